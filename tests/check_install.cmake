# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh folder and checks that it puts exactly the files listed in
# installed-files.txt, the icons at their sizes, and the desktop entry and the metadata
# translated (French taken as the sample of every catalog).
#   cmake -DBUILD_DIR=... -DAPP_ID=... -P check_install.cmake
set(prefix ${BUILD_DIR}/install-check)
file(REMOVE_RECURSE ${prefix})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()

file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/installed-files.txt expected REGEX "^[^#]")
file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
  list(JOIN expected "\n  " expected)
  list(JOIN installed "\n  " installed)
  message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

foreach(size 32 48 64 128)
  set(png ${prefix}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  # A PNG's header holds its width and height as 32-bit numbers from byte 16 on.
  file(READ ${png} header OFFSET 16 LIMIT 8 HEX)
  math(EXPR expected "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(SUBSTRING "${expected}" 2 -1 digits)
  string(LENGTH "${digits}" length)
  math(EXPR padding "8 - ${length}")
  string(REPEAT "0" ${padding} zeros)
  if(NOT header STREQUAL "${zeros}${digits}${zeros}${digits}")
    message(FATAL_ERROR "${png} is not ${size} x ${size}: ${header}")
  endif()
endforeach()

foreach(check "applications/${APP_ID}.desktop|\nName\\[fr\\]=.+\nComment\\[fr\\]=[^\n]+"
              "metainfo/${APP_ID}.metainfo.xml|<name xml:lang=\"fr\">[^<]+</name>.*<summary xml:lang=\"fr\">[^<]+<")
  string(REPLACE "|" ";" check "${check}")
  list(GET check 0 file)
  list(GET check 1 pattern)
  file(READ ${prefix}/share/${file} text)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${prefix}/share/${file} has no French name or summary: ${pattern}")
  endif()
endforeach()
