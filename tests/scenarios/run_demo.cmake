# Runs the built-in demo, which shows the current time: its log cannot be
# kept, so this checks what does not change. The run succeeds, the log ends
# with the snapshot and the four objects' destruction, out/demo.png is a
# whole PNG and out/demo.gif.frames a whole frame file of 125 frames, with no
# temporary file left beside them.
# Inputs: WINE_RUN, EXE, WORK.
include(${CMAKE_CURRENT_LIST_DIR}/run_host.cmake)
chx_run_host()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the demo exited with ${status}: ${err}")
endif()
foreach(expected "snapshot    demo.png" "record      demo.gif            125" "dial        create      0" "countdown   action      StartCountdown"
                 "countdown   expression  GetCountdown" "calendar    destroy")
    string(FIND "${out}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the log lacks [${expected}]:\n${out}")
    endif()
endforeach()
file(GLOB written RELATIVE ${WORK}/out ${WORK}/out/*)
if(NOT written STREQUAL "demo.gif.frames;demo.png")
    message(FATAL_ERROR "out/ holds [${written}], expected demo.gif.frames and demo.png")
endif()
file(READ ${WORK}/out/demo.gif.frames head LIMIT 8)
if(NOT head STREQUAL "CHXFRAME")
    message(FATAL_ERROR "out/demo.gif.frames does not start as a frame file: ${head}")
endif()
file(READ ${WORK}/out/demo.png head LIMIT 8 HEX)
if(NOT head STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "out/demo.png does not start as a PNG: ${head}")
endif()
