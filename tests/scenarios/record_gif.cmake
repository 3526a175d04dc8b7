# Records a scenario with the host, turns the frame file into a GIF with
# chronyx-gif, and reads the GIF back with chronyx-gif-check (stb_image):
# the frames, their size and timing, the frames at which the picture
# changes, and the pixels of the host's PNG snapshots of the same frames.
# Inputs: WINE_RUN, EXE, ENCODER, CHECK (the two Linux programs), SCENARIO,
# WORK.
foreach(program ${ENCODER} ${CHECK})
    if(NOT EXISTS ${program})
        message(FATAL_ERROR "${program} is missing: build this build first "
                            "(its target native_gif_tools makes it)")
    endif()
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/run_host.cmake)
chx_run_host(${SCENARIO})
if(NOT status EQUAL 0)
    message(FATAL_ERROR "chronyx-host exited with ${status}: ${err}")
endif()
string(FIND "${out}" "record      seconds.gif         50" at)
if(at EQUAL -1)
    message(FATAL_ERROR "the log does not end the recording with its 50 frames:\n${out}")
endif()
file(GLOB written RELATIVE ${WORK}/out ${WORK}/out/*)
if(NOT written STREQUAL "frame0.png;frame36.png;frame98.png;seconds.gif.frames")
    message(FATAL_ERROR "out/ holds [${written}]")
endif()
execute_process(
    COMMAND ${ENCODER} ${WORK}/out/seconds.gif.frames
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "chronyx-gif exited with ${status}: ${err}")
endif()
# The dial samples the clock every 12th frame and is drawn again when the
# second it sampled changed: at scenario frames 35 (10:14:59.200) and 83
# (10:15:00.160), which the recording at every second frame shows first in
# its frames 18 and 42. The second hand is the only red.
execute_process(
    COMMAND ${CHECK} ${WORK}/out/seconds.gif --size 160 160 --frames 50 --delay 4
            --same 0 ${WORK}/out/frame0.png --same 18 ${WORK}/out/frame36.png
            --same 49 ${WORK}/out/frame98.png --changes 18,42 --track ff0000
    ERROR_VARIABLE err
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the GIF is not what the run drew:\n${err}")
endif()
