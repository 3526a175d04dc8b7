# chronyx-gif and chronyx-gif-check are Linux programs, and a Windows build's
# recording test runs both. A native build of the same sources inside this
# build's folder makes just those two, so that the Windows tests need no
# native build beside them.
set(CHX_NATIVE_TOOLS ${CMAKE_BINARY_DIR}/native-tools)
set(CHX_GIF_ENCODER ${CHX_NATIVE_TOOLS}/tools/gif_encoder/chronyx-gif)
set(CHX_GIF_CHECK ${CHX_NATIVE_TOOLS}/tests/gif/chronyx-gif-check)
file(GLOB CHX_GIF_TOOL_SOURCES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/tools/gif_encoder/*
     ${PROJECT_SOURCE_DIR}/base/frame_file_format.h
     ${PROJECT_SOURCE_DIR}/tests/gif/gif_check.cpp)
add_custom_command(
    OUTPUT ${CHX_GIF_ENCODER} ${CHX_GIF_CHECK}
    # The cross compiler's settings stay out: this is the machine's own build.
    COMMAND ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX --unset=CFLAGS --unset=CXXFLAGS
            ${CMAKE_COMMAND} -S ${PROJECT_SOURCE_DIR} -B ${CHX_NATIVE_TOOLS} -G Ninja
            -DCMAKE_BUILD_TYPE=Release
    COMMAND ${CMAKE_COMMAND} --build ${CHX_NATIVE_TOOLS} --target chronyx-gif chronyx-gif-check
    DEPENDS ${CHX_GIF_TOOL_SOURCES}
    COMMENT "chronyx-gif and chronyx-gif-check, built natively for the recording test"
    VERBATIM)
add_custom_target(native_gif_tools ALL DEPENDS ${CHX_GIF_ENCODER} ${CHX_GIF_CHECK})
