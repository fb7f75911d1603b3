# cmake -DBUILD_DIR=... -DDESTDIR=... -P InstallTree.cmake
# Installs the build with prefix /usr under DESTDIR, as the Debian package
# does, into a fresh folder so files of an earlier install cannot hide a
# missing one.

cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${DESTDIR}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${DESTDIR} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${out}${err}")
endif()
