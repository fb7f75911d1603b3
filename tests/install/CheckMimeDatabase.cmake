# cmake -DROOT=<DESTDIR>/usr -DWORK=<folder> -P CheckMimeDatabase.cmake
# The installed MIME package builds into a database that names each file
# ending for its type, as the system's database will after installing.

cmake_minimum_required(VERSION 3.25)

set(expected
  "application/x-zeltomir-simplex:*.sso"
  "application/x-zeltomir-target-exercise:*.sst"
  "application/x-zeltomir-variance-exercise:*.ssv")

file(REMOVE_RECURSE "${WORK}")
file(COPY "${ROOT}/share/mime/packages" DESTINATION "${WORK}")
execute_process(COMMAND update-mime-database "${WORK}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
# Its note that the folder is not among the system's data folders is expected.
if(NOT status EQUAL 0)
  message(FATAL_ERROR "update-mime-database (${status}):\n${out}${err}")
endif()
# globs2 lines are weight:type:pattern, subclasses lines "type parent".
file(READ "${WORK}/globs2" globs)
file(READ "${WORK}/subclasses" subclasses)
foreach(entry IN LISTS expected)
  string(FIND "${globs}" ":${entry}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${entry} is not in the MIME database:\n${globs}")
  endif()
  string(REGEX REPLACE ":.*" "" type "${entry}")
  string(FIND "${subclasses}" "${type} text/plain\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${type} is not a kind of text/plain:\n${subclasses}")
  endif()
endforeach()
