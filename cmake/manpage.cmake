# Script mode: writes a manual page from a program's own --help, so the two never disagree.
#   cmake -DPROGRAM=<file> -DNAME=<name> -DSUMMARY=<one line> -DVERSION=<v> -DOUTPUT=<file>
#         -P manpage.cmake
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status
                ENCODING NONE)
if(NOT status EQUAL 0 OR help STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
endif()
# Roff: a backslash is \e, and a line must not start with a control character.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(TOUPPER ${NAME} title)
string(REPLACE "-" "\\-" roff_name ${NAME})
file(WRITE ${OUTPUT}
".TH ${title} 1 \"\" \"Quillet ${VERSION}\" \"User Commands\"
.SH NAME
${roff_name} \\- ${SUMMARY}
.SH DESCRIPTION
.nf
${help}.fi
.SH SEE ALSO
The README in /usr/share/doc/quillet/ describes the labels, the settings file ZOR.INI
and every program.
")
