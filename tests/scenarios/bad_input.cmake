# Runs chronyx-host on bad input and checks that it refuses it properly:
# exit status 2, nothing on standard output, exactly one line on standard
# error that matches PATTERN, and no file written. Inputs: WINE_RUN, EXE,
# WORK (a scratch folder), ARGS (a ;-list), PATTERN.
include(${CMAKE_CURRENT_LIST_DIR}/run_host.cmake)
chx_run_host(${ARGS})
if(NOT status EQUAL 2)
    message(FATAL_ERROR "exit status ${status}, expected 2; stderr: ${err}")
endif()
if(NOT out STREQUAL "")
    message(FATAL_ERROR "wrote to standard output: ${out}")
endif()
if(NOT err MATCHES "^chronyx-host: [^\n]*\n$")
    message(FATAL_ERROR "standard error is not one line: [${err}]")
endif()
string(STRIP "${err}" line)
if(NOT line MATCHES "${PATTERN}")
    message(FATAL_ERROR "standard error [${line}] does not match [${PATTERN}]")
endif()
file(GLOB_RECURSE written LIST_DIRECTORIES true ${WORK}/*)
if(written)
    message(FATAL_ERROR "files were written: ${written}")
endif()
