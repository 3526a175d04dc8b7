# Runs chronyx-host on one scenario and compares its log with the expected
# one kept beside the scenario. Inputs: WINE_RUN, EXE, SCENARIO, EXPECTED,
# WORK (a scratch folder), ARGS (more options, a ;-list), VERSION (the
# project's).
include(${CMAKE_CURRENT_LIST_DIR}/run_host.cmake)
chx_run_host(${ARGS} ${SCENARIO})
file(WRITE ${WORK}/actual.log "${out}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "chronyx-host exited with ${status}: ${err}")
endif()
file(READ ${EXPECTED} expected)
# The expected logs name the module's version as @VERSION@, to stay true
# across releases; the policy keeps CMake from reading it as a variable.
cmake_policy(SET CMP0053 NEW)
string(REPLACE "@VERSION@" "${VERSION}" expected "${expected}")
if(NOT out STREQUAL expected)
    execute_process(COMMAND diff -u ${EXPECTED} ${WORK}/actual.log OUTPUT_VARIABLE difference)
    message(FATAL_ERROR "the log differs from ${EXPECTED}:\n${difference}")
endif()
