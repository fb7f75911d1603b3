# cmake -DROOT=<DESTDIR>/usr -DMANUAL=ON|OFF -P CheckInstalledFiles.cmake
# Every file the install must put under the prefix is there, nothing else
# is (no build tool, test or library), and each holds what its name promises.
# MANUAL is the build's ZELTOMIR_MANUAL: off, the manual is not expected.

cmake_minimum_required(VERSION 3.25)

set(icon_sizes 16 32 48 64 128 256)
set(mime_types
  application/x-zeltomir-simplex
  application/x-zeltomir-target-exercise
  application/x-zeltomir-variance-exercise)

set(faults "")
macro(fault text)
  string(APPEND faults "  ${text}\n")
endmacro()

set(expected
  bin/zeltomir
  bin/zeltomir-cli
  share/applications/org.zeltomir.zeltomir.desktop
  share/icons/hicolor/scalable/apps/zeltomir.svg
  share/metainfo/org.zeltomir.zeltomir.metainfo.xml
  share/mime/packages/zeltomir.xml
  share/man/man1/zeltomir.1.gz
  share/man/man1/zeltomir-cli.1.gz
  share/doc/zeltomir/copyright
  share/doc/zeltomir/changelog.gz)
if(MANUAL)
  # The manual in the program's own folder; the documentation folder only
  # links to it, since a minimal system may leave share/doc out.
  list(APPEND expected share/zeltomir/Zeltomir.pdf share/doc/zeltomir/Zeltomir.pdf)
  file(READ_SYMLINK "${ROOT}/share/doc/zeltomir/Zeltomir.pdf" target)
  if(NOT target STREQUAL "../../zeltomir/Zeltomir.pdf")
    fault("share/doc/zeltomir/Zeltomir.pdf is not a relative link to share/zeltomir/Zeltomir.pdf (${target})")
  endif()
endif()
foreach(size IN LISTS icon_sizes)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/zeltomir.png)
endforeach()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${ROOT}" "${ROOT}/*")
foreach(path IN LISTS expected)
  if(NOT path IN_LIST installed)
    fault("missing: ${path}")
  endif()
endforeach()
foreach(path IN LISTS installed)
  if(NOT path IN_LIST expected)
    fault("not expected: ${path}")
  endif()
endforeach()

# A PNG's size is in its header chunk: width and height as 32-bit big-endian
# numbers after the 8-byte signature and the chunk's length and name.
foreach(size IN LISTS icon_sizes)
  set(png "${ROOT}/share/icons/hicolor/${size}x${size}/apps/zeltomir.png")
  if(EXISTS "${png}")
    file(READ "${png}" header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 32 start)
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    math(EXPR width "0x0${width}")
    math(EXPR height "0x0${height}")
    if(NOT start STREQUAL "89504e470d0a1a0a0000000d49484452" OR NOT width EQUAL size OR NOT height EQUAL size)
      fault("${size}x${size}/apps/zeltomir.png is not a ${size} x ${size} PNG")
    endif()
  endif()
endforeach()

set(svg "${ROOT}/share/icons/hicolor/scalable/apps/zeltomir.svg")
if(EXISTS "${svg}")
  file(READ "${svg}" text)
  # Drawn as vectors, not a bitmap wrapped in SVG.
  if(NOT text MATCHES "<svg[^>]*viewBox=\"0 0 256 256\"" OR NOT text MATCHES "<path" OR text MATCHES "<image")
    fault("zeltomir.svg is not the icon drawn as vectors on a 256 x 256 view box")
  endif()
endif()

set(pdf "${ROOT}/share/zeltomir/Zeltomir.pdf")
if(EXISTS "${pdf}")
  file(READ "${pdf}" magic LIMIT 5 HEX)
  if(NOT magic STREQUAL "255044462d") # "%PDF-"
    fault("Zeltomir.pdf is not a PDF")
  endif()
endif()

# Compressed as Debian asks: gzip at -9 (the "02" flag byte) without the
# name or time (flags 0, time 0), so that the bytes depend on the text alone.
foreach(path share/man/man1/zeltomir.1.gz share/man/man1/zeltomir-cli.1.gz share/doc/zeltomir/changelog.gz)
  if(EXISTS "${ROOT}/${path}")
    file(READ "${ROOT}/${path}" header LIMIT 10 HEX)
    if(NOT header STREQUAL "1f8b0800000000000203")
      fault("${path} is not gzip -9n output (header ${header})")
    endif()
  endif()
endforeach()

# The machine-readable copyright file names the program's licence and
# points to the system's copy of its text.
set(copyright "${ROOT}/share/doc/zeltomir/copyright")
if(EXISTS "${copyright}")
  file(READ "${copyright}" text)
  if(NOT text MATCHES "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     OR NOT text MATCHES "\nLicense: GPL-3\\+\n" OR NOT text MATCHES "/usr/share/common-licenses/GPL-3")
    fault("copyright is not the machine-readable file of a GPL-3+ program")
  endif()
endif()

# The desktop entry, the metainfo and the MIME package name the same types,
# and the entry starts the installed program with the file it is given.
set(desktop "${ROOT}/share/applications/org.zeltomir.zeltomir.desktop")
set(metainfo "${ROOT}/share/metainfo/org.zeltomir.zeltomir.metainfo.xml")
set(mime "${ROOT}/share/mime/packages/zeltomir.xml")
if(EXISTS "${desktop}" AND EXISTS "${metainfo}" AND EXISTS "${mime}")
  file(STRINGS "${desktop}" entry)
  # A list of the types, as the entry's own ";" separates them.
  file(STRINGS "${desktop}" opens REGEX "^MimeType=")
  string(REGEX REPLACE "^MimeType=" "" opens "${opens}")
  string(REPLACE "\\;" ";" opens "${opens}")
  file(READ "${metainfo}" component)
  file(READ "${mime}" package)
  foreach(line "Exec=zeltomir %f" "Icon=zeltomir" "Terminal=false")
    if(NOT line IN_LIST entry)
      fault("the desktop entry lacks ${line}")
    endif()
  endforeach()
  foreach(type IN LISTS mime_types)
    if(NOT type IN_LIST opens)
      fault("the desktop entry does not open ${type}")
    endif()
    if(NOT component MATCHES "<mediatype>${type}</mediatype>")
      fault("the metainfo does not provide ${type}")
    endif()
    if(NOT package MATCHES "<mime-type type=\"${type}\">")
      fault("the MIME package does not define ${type}")
    endif()
  endforeach()
endif()

if(NOT faults STREQUAL "")
  message(FATAL_ERROR "Installed under ${ROOT}:\n${faults}")
endif()
