# cmake -DFIRST=... -DSECOND=... -P CheckSameNotice.cmake
# Both installed programs answer --version with the same licence notice
# below their own first line.

cmake_minimum_required(VERSION 3.25)

unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})
foreach(which FIRST SECOND)
  execute_process(COMMAND ${${which}} --version RESULT_VARIABLE status OUTPUT_VARIABLE out TIMEOUT 60)
  string(FIND "${out}" "\n" line_end)
  math(EXPR line_end "${line_end} + 1")
  string(SUBSTRING "${out}" ${line_end} -1 notice_${which})
endforeach()
if(NOT notice_FIRST MATCHES "^Copyright \\(C\\) [0-9]+ The Zeltomir developers\\..*GNU General Public License"
   OR NOT notice_FIRST STREQUAL notice_SECOND)
  message(FATAL_ERROR "The licence notices differ or lack the copyright and licence:\n"
                      "${FIRST}:\n${notice_FIRST}\n${SECOND}:\n${notice_SECOND}")
endif()
