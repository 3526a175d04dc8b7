# The scenario scripts' one way to run chronyx-host: in WORK, emptied first,
# with its files going to WORK/out and the arguments given after that.
# Inputs: WINE_RUN, EXE, WORK; leaves out, err and status in the caller's scope.
function(chx_run_host)
    file(REMOVE_RECURSE ${WORK})
    file(MAKE_DIRECTORY ${WORK})
    execute_process(
        COMMAND ${WINE_RUN} ${EXE} --out ${WORK}/out ${ARGN}
        WORKING_DIRECTORY ${WORK}
        OUTPUT_VARIABLE out
        ERROR_VARIABLE err
        RESULT_VARIABLE status)
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
    set(status "${status}" PARENT_SCOPE)
endfunction()
