# Writes a program's manual page from what its --help prints, so the page and the batch mode
# never disagree. Run as a script:
#   cmake -DEXE=<program> -DNAME=<name> -DSUMMARY=<one line> -DVERSION=<x.y> -DOUT=<name.1>
#         [-DFILES=<what it opens>] -P ManPage.cmake
foreach(var EXE NAME SUMMARY VERSION OUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "ManPage.cmake: ${var} is not set")
    endif()
endforeach()
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} detect_leaks=0)
execute_process(COMMAND ${EXE} --help OUTPUT_VARIABLE help ERROR_VARIABLE help_err
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR help STREQUAL "")
    message(FATAL_ERROR "${EXE} --help failed (${status}): ${help_err}")
endif()

# Roff reads a backslash as an escape and a line starting with "." or "'" as a request.
function(roff_escape text out)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()
roff_escape("${help}" help)
roff_escape("${SUMMARY}" SUMMARY)
string(REPLACE "-" "\\-" name_dashed "${NAME}")

set(files_section "")
if(DEFINED FILES AND NOT FILES STREQUAL "")
    roff_escape("${FILES}" FILES)
    set(files_section ".SH FILES\n${FILES}\n")
endif()
string(TIMESTAMP today "%Y-%m-%d" UTC)
file(WRITE ${OUT} ".TH ${NAME} 1 \"${today}\" \"${NAME} ${VERSION}\" \"User Commands\"
.SH NAME
${name_dashed} \\- ${SUMMARY}
.SH SYNOPSIS
.B ${NAME}
.RI [ FILE ]
.br
.B ${NAME}
.I OPTIONS
.SH DESCRIPTION
Without options, \\fB${NAME}\\fR opens its window (on \\fIFILE\\fR where the program opens
files). With options it runs in batch mode, without a window and without a display: each text
the window would show in a result control is printed as a line
\\fIcontrol\\fR<TAB>\\fItext\\fR, and each message box as a line
MsgBox<TAB>\\fItitle\\fR<TAB>\\fItext\\fR.
.SH OPTIONS
The options as \\fB${NAME} \\-\\-help\\fR prints them:
.PP
.nf
${help}.fi
${files_section}.SH EXIT STATUS
.TP
.B 0
the work was done
.TP
.B 1
a failure was reported
.TP
.B 2
the command line was wrong
")
