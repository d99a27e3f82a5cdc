# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the manual page labelstation.1.gz with help2man from the program's --help and
# --version, plus a COMMANDS section with every command's own --help text and the sections
# of the include file SECTIONS (EXIT STATUS, FILES, ENVIRONMENT).
#   cmake -DPROGRAM=... -DHELP2MAN=... -DGZIP=... -DSECTIONS=.../labelstation.h2m
#         -DOUTPUT=.../labelstation.1.gz -P ManPage.cmake
cmake_minimum_required(VERSION 3.25)

set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LC_ALL} C.UTF-8)
unset(ENV{LABELSTATION_DATA_DIR})
# In a sanitizer build a leak report at exit would fail the page for nothing.
set(ENV{ASAN_OPTIONS} "$ENV{ASAN_OPTIONS}:detect_leaks=0")

get_filename_component(dir ${OUTPUT} DIRECTORY)
string(REGEX REPLACE "\\.gz$" "" page ${OUTPUT})
file(MAKE_DIRECTORY ${dir})

# Lines of text as a verbatim roff block: backslashes and hyphens escaped, no line taken
# for a request or (by help2man) for a section name.
function(roff_verbatim text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  set(text "\n${text}")
  string(REPLACE "\n." "\n\\&." text "${text}")
  string(REPLACE "\n'" "\n\\&'" text "${text}")
  string(REPLACE "\n[" "\n\\&[" text "${text}")
  set(${out} ".nf${text}\n.fi\n" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()

# The commands are listed in the program's help as "  WORD  what it does".
string(REGEX MATCH "Commands[^\n]*\n(  [^\n]+\n)+" listing "${help}")
string(REGEX MATCHALL "\n  [a-z][a-z0-9-]*" words "${listing}")
if(NOT words)
  message(FATAL_ERROR "no command list in ${PROGRAM} --help")
endif()

set(include "[COMMANDS]\n")
string(APPEND include "Each command explains itself with \\fBlabelstation \\fICOMMAND\\fB \\-\\-help\\fR:\n")
foreach(word IN LISTS words)
  string(STRIP "${word}" word)
  execute_process(COMMAND ${PROGRAM} ${word} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${word} --help failed (${status})")
  endif()
  string(STRIP "${text}" text)
  roff_verbatim("${text}" block)
  string(APPEND include ".SS ${word}\n${block}")
endforeach()
file(WRITE ${dir}/commands.h2m "${include}")

# help2man runs the program, and writes the page, in the locale given with --locale ("C"
# unless told): in C every Korean character would come out as "?".
execute_process(
  COMMAND ${HELP2MAN} --no-info --section=1 --locale=C.UTF-8
          "--name=design goods labels and print them on label printers"
          --include=${dir}/commands.h2m --include=${SECTIONS} --output=${page} ${PROGRAM}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed (${status})")
endif()
# A Korean word gone wrong is a run of "?", one for each of its bytes; the FILES section
# names "사본 저장".
file(READ ${page} text)
if(NOT text MATCHES "사본 저장" OR text MATCHES "[?][?][?][?][?][?]")
  message(FATAL_ERROR "${page}: the Korean text did not come through")
endif()
execute_process(COMMAND ${GZIP} -9nf ${page} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip failed (${status})")
endif()
