# Writes lp-host's manual page, and a compressed copy beside it: the template's own text, with the
# description, the options and the arguments that `lp-host --help` prints, so that the page says
# what the program does.
#   cmake -DPROGRAM=lp-host -DTEMPLATE=lp-host.1.in -DOUTPUT=lp-host.1 -DVERSION=0.1
#         -DPLUGINDIR=... -DEXAMPLESDIR=... -DDOCDIR=... -P LpManPage.cmake
cmake_minimum_required(VERSION 3.18)

# A sanitizer build's leak report at exit is no concern of the manual page.
set(ENV{ASAN_OPTIONS} "detect_leaks=0")
execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()

# CMake lists split at semicolons and keep whatever stands between brackets together: both are
# masked while the text is taken apart line by line.
string(ASCII 1 semicolon)
string(ASCII 2 open_bracket)
string(ASCII 3 close_bracket)
string(REPLACE ";" "${semicolon}" help "${help}")
string(REPLACE "[" "${open_bracket}" help "${help}")
string(REPLACE "]" "${close_bracket}" help "${help}")
string(REPLACE "\n" ";" help_lines "${help}")

# Text as roff prints it: backslashes and minus signs escaped (a plain '-' prints as a hyphen,
# which cannot be copied into a shell), a line that begins with a control character kept as text.
function(lp_roff_text text out)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REPLACE "${semicolon}" ";" text "${text}")
    string(REPLACE "${open_bracket}" "[" text "${text}")
    string(REPLACE "${close_bracket}" "]" text "${text}")
    set(${out} "\\&${text}" PARENT_SCOPE)
endfunction()

# "-h, --help" and "--plugin <path>" as the tag of an entry: option names bold, values italic.
function(lp_roff_tag names out)
    lp_roff_text("${names}" names)
    string(REGEX REPLACE "(\\\\-[^ ,]+)" "\\\\fB\\1\\\\fR" names "${names}")
    string(REGEX REPLACE "(<[^>]+>)" "\\\\fI\\1\\\\fR" names "${names}")
    set(${out} "${names}" PARENT_SCOPE)
endfunction()

# The usage line is left out: the template's synopsis names the program's forms. Paragraphs up
# to the first section ("Options:") describe the program; each section lists entries whose
# description runs on over lines indented further.
set(description "")
set(sections "")
set(in_sections FALSE)
list(REMOVE_AT help_lines 0)
foreach(line IN LISTS help_lines)
    if(line MATCHES "^([A-Z][A-Za-z ]*):$")
        string(TOUPPER "${CMAKE_MATCH_1}" title)
        string(APPEND sections ".SH ${title}\n")
        set(in_sections TRUE)
    elseif(NOT in_sections)
        if(line STREQUAL "")
            string(APPEND description ".PP\n")
        else()
            lp_roff_text("${line}" text)
            string(APPEND description "${text}\n")
        endif()
    elseif(line MATCHES "^  ([^ ]+( [^ ]+)*)(  +(.*))?$")
        set(entry_description "${CMAKE_MATCH_4}")
        lp_roff_tag("${CMAKE_MATCH_1}" tag)
        string(APPEND sections ".TP\n${tag}\n")
        if(NOT entry_description STREQUAL "")
            lp_roff_text("${entry_description}" text)
            string(APPEND sections "${text}\n")
        endif()
    elseif(line MATCHES "^   *([^ ].*)$")
        lp_roff_text("${CMAKE_MATCH_1}" text)
        string(APPEND sections "${text}\n")
    endif()
endforeach()
# The template puts each on lines of its own.
string(REGEX REPLACE "(\n\\.PP)*\n$" "" HELP_DESCRIPTION "${description}")
string(REGEX REPLACE "\n$" "" HELP_SECTIONS "${sections}")

foreach(path IN ITEMS PLUGINDIR EXAMPLESDIR DOCDIR)
    string(REPLACE "-" "\\-" ${path} "${${path}}")
endforeach()
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)

# Installed compressed, as Debian keeps manual pages; -n leaves out the name and the time, so
# that every build makes the same bytes.
execute_process(COMMAND gzip -9 -n -c "${OUTPUT}" OUTPUT_FILE "${OUTPUT}.gz" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${OUTPUT} failed (${status})")
endif()
