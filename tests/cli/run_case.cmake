# Runs dialoscope-cli once and compares its standard output and standard error byte for byte
# with the expected files, and its exit status with the expected one.
#
#   -D CLI=path            the program
#   -D ARGS=a|b|c          its arguments, separated by "|"
#   -D WORK_DIR=dir        where it runs (paths in the arguments and messages are relative to it)
#   -D OUT_DIR=dir         where the actual outputs are kept for inspection
#   -D NAME=case           the case name: expected/NAME.stdout, expected/NAME.stderr
#   -D EXPECTED_DIR=dir    the folder of the expected files
#   -D EXIT=n              the expected exit status
#   -D CHECK_STDERR=ON|OFF compare standard error (OFF for the usage text)
#   -D WRITES=file         optional: the name of a file the program writes; "@WRITES@" in the
#                          arguments stands for it, kept beside the actual outputs (its folder is
#                          left out of standard error). It is compared with expected/NAME.EXT
#                          (an XLSX workbook: with expected/NAME.xlsx.xml, its workbook, shared
#                          strings and sheets, which carry no date).
#
# With the environment variable DIALOSCOPE_UPDATE_GOLDEN=1 the expected files are made from the
# actual outputs instead (an empty output removes its file); the exit status is still checked.

string(REPLACE "|" ";" arguments "${ARGS}")
set(actual_stdout "${OUT_DIR}/${NAME}.stdout")
set(actual_stderr "${OUT_DIR}/${NAME}.stderr")
file(MAKE_DIRECTORY "${OUT_DIR}")
if(WRITES)
    set(written "${OUT_DIR}/${WRITES}")
    file(REMOVE "${written}")
    # A bracket argument: a script run by -P would read "@WRITES@" as the variable.
    string(REPLACE [=[@WRITES@]=] "${written}" arguments "${arguments}")
endif()
execute_process(COMMAND "${CLI}" ${arguments}
                WORKING_DIRECTORY "${WORK_DIR}"
                OUTPUT_FILE "${actual_stdout}"
                ERROR_FILE "${actual_stderr}"
                RESULT_VARIABLE status
                TIMEOUT 60)

# The file the program wrote, as it is compared: an XLSX workbook by its members that carry no date.
function(written_text written actual)
    if(NOT written MATCHES "\\.xlsx$")
        file(COPY_FILE "${written}" "${actual}")
        return()
    endif()
    set(parts "${actual}.parts")
    file(REMOVE_RECURSE "${parts}")
    file(MAKE_DIRECTORY "${parts}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${written}" WORKING_DIRECTORY "${parts}")
    file(GLOB sheets "${parts}/xl/worksheets/sheet*.xml")
    list(SORT sheets)
    file(WRITE "${actual}" "")
    foreach(part "${parts}/xl/workbook.xml" "${parts}/xl/sharedStrings.xml" ${sheets})
        file(READ "${part}" text)
        file(APPEND "${actual}" "${text}\n")
    endforeach()
endfunction()

if(WRITES)
    file(READ "${actual_stderr}" text)
    string(REPLACE "${OUT_DIR}/" "" text "${text}")
    file(WRITE "${actual_stderr}" "${text}")
    get_filename_component(extension "${WRITES}" LAST_EXT)
    string(REGEX REPLACE "\\.xlsx$" ".xlsx.xml" extension "${extension}")
    set(actual_written "${OUT_DIR}/${NAME}.written")
    file(REMOVE "${actual_written}")
    if(EXISTS "${written}")
        written_text("${written}" "${actual_written}")
    else()
        file(WRITE "${actual_written}" "")
    endif()
endif()

set(failures "")
if(NOT "${status}" STREQUAL "${EXIT}")
    string(APPEND failures "exit status ${status}, expected ${EXIT}\n")
endif()

function(compare actual expected what)
    if(NOT EXISTS "${expected}")
        file(SIZE "${actual}" size)
        if(size EQUAL 0)
            return()
        endif()
        set(expected "/dev/null")
    endif()
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${actual}" "${expected}"
                    RESULT_VARIABLE different)
    if(different)
        file(READ "${actual}" text)
        set(failures "${failures}${what} differs from ${expected}; it was:\n${text}\n" PARENT_SCOPE)
    endif()
endfunction()

# Writes the expected file whole or not at all: a copy beside it, then a rename.
function(accept actual expected)
    file(SIZE "${actual}" size)
    if(size EQUAL 0)
        file(REMOVE "${expected}")
        return()
    endif()
    file(COPY_FILE "${actual}" "${expected}.new")
    file(RENAME "${expected}.new" "${expected}")
endfunction()

if("$ENV{DIALOSCOPE_UPDATE_GOLDEN}" STREQUAL "1")
    accept("${actual_stdout}" "${EXPECTED_DIR}/${NAME}.stdout")
    if(CHECK_STDERR)
        accept("${actual_stderr}" "${EXPECTED_DIR}/${NAME}.stderr")
    endif()
    if(WRITES)
        accept("${actual_written}" "${EXPECTED_DIR}/${NAME}${extension}")
    endif()
else()
    compare("${actual_stdout}" "${EXPECTED_DIR}/${NAME}.stdout" "standard output")
    if(CHECK_STDERR)
        compare("${actual_stderr}" "${EXPECTED_DIR}/${NAME}.stderr" "standard error")
    endif()
    if(WRITES)
        compare("${actual_written}" "${EXPECTED_DIR}/${NAME}${extension}" "the written file")
    endif()
endif()

if(failures)
    message(FATAL_ERROR "${NAME}:\n${failures}")
endif()
