# cmake -DMETAINFO=... -DFIGURES=... -P CheckScreenshots.cmake
# Every screenshot the metainfo names is a picture of the windows that the
# build takes for the manual (FIGURES), which the web site publishes under
# the same name: a software centre never shows a missing or stale picture.

cmake_minimum_required(VERSION 3.25)

file(READ "${METAINFO}" component)
string(REGEX MATCHALL "<image>[^<]*</image>" images "${component}")
if(NOT images)
  message(FATAL_ERROR "${METAINFO} names no screenshot")
endif()
foreach(image IN LISTS images)
  string(REGEX REPLACE "^<image>https://[^<]*/screenshots/([^/<]+)</image>$" "\\1" name "${image}")
  if(name STREQUAL image)
    message(FATAL_ERROR "${image} is not an https address under /screenshots/")
  endif()
  set(picture "${FIGURES}/${name}")
  if(NOT EXISTS "${picture}")
    message(FATAL_ERROR "${image}: the build takes no picture ${name} (looked in ${FIGURES})")
  endif()
  file(READ "${picture}" magic LIMIT 8 HEX)
  if(NOT magic STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${picture} is not a PNG")
  endif()
endforeach()
