# cmake -DPROGRAM=... -DEXPECTED="name version" -P CheckVersion.cmake
# An installed program answers --version with its name and version on the
# first line and exit status 0, with no display to open a window on.

cmake_minimum_required(VERSION 3.25)

unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})
execute_process(COMMAND ${PROGRAM} --version
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
string(FIND "${out}" "\n" line_end)
string(SUBSTRING "${out}" 0 ${line_end} first_line)
if(NOT status EQUAL 0 OR NOT first_line STREQUAL EXPECTED)
  message(FATAL_ERROR "${PROGRAM} --version: exit status ${status}, "
                      "first line \"${first_line}\", expected \"${EXPECTED}\"\n${out}${err}")
endif()
