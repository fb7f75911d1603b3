# cmake [-DIGNORE_STDOUT=ON] -P RunQuiet.cmake -- PROGRAM ARG...
# Runs a checker and fails on anything it says, not only on its exit status:
# desktop-file-validate and man only warn, and a warning is a fault to fix.
# IGNORE_STDOUT is for man, whose standard output is the page itself.

cmake_minimum_required(VERSION 3.25)

# What follows "--" is the checker's command line, which cmake leaves alone.
math(EXPR last "${CMAKE_ARGC} - 1")
set(command)
set(in_command OFF)
foreach(i RANGE ${last})
  if(in_command)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "--")
    set(in_command ON)
  endif()
endforeach()

execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(IGNORE_STDOUT)
  set(out "")
endif()
if(NOT status EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "")
  message(FATAL_ERROR "${command}\nexit status ${status}\n${out}${err}")
endif()
