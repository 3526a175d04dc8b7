# The shipped CHRONYX.dll: optimised whatever the build type, without the C++
# runtime, the threads library or the C runtime's startup; stripped, with its
# debug information in CHRONYX.dll.debug beside it; the same bytes from the
# same sources wherever they are built. Only the DLL target is affected: the
# host and the tests keep the build type's flags and their runtimes.

# Windows calls DllMain directly: there is no C runtime startup to run global
# constructors, so the module must have none (the release check looks).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CHX_DLL_ENTRY _DllMain@12)
    # Every double an IEEE double whatever the host did to the x87 control
    # word; hosts may call with the stack aligned to 4 bytes only.
    set(CHX_TARGET_FLAGS -msse2 -mfpmath=sse -mincoming-stack-boundary=2
        -fno-asynchronous-unwind-tables -fno-unwind-tables)
    set(CHX_SIZE_LIMIT 32768)
else()
    set(CHX_DLL_ENTRY DllMain)
    # x64 images carry their unwind tables by design: Windows walks the
    # stack through every frame with them.
    set(CHX_TARGET_FLAGS)
    set(CHX_SIZE_LIMIT 40960)
endif()

target_compile_options(CHRONYX PRIVATE
    -O2 -g
    -fno-exceptions -fno-rtti -fno-threadsafe-statics
    -ffunction-sections -fdata-sections
    # msvcrt.dll has no sincos to merge a sine and a cosine into.
    -fno-builtin-sin -fno-builtin-cos
    # No build folder in the debug information or the image; the last match
    # wins, so the build folder comes last for when it is inside the sources.
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
    -ffile-prefix-map=${CMAKE_BINARY_DIR}=.
    ${CHX_TARGET_FLAGS})
target_link_options(CHRONYX PRIVATE
    -nostdlib -Wl,-e,${CHX_DLL_ENTRY}
    -Wl,--gc-sections -Wl,--no-insert-timestamp)
# The trigonometry and the string and memory routines come from msvcrt.dll,
# through an import library of just those: anything more fails the link.
chx_def_from_template(${CHX_DLL_DIR}/resources/msvcrt_imports.def.in CHX_CRT_DEF)
chx_import_library(msvcrt_imports ${CHX_CRT_DEF} msvcrt.dll
                   "Import library for the C routines of msvcrt.dll" CHX_CRT_IMPLIB)
add_dependencies(CHRONYX msvcrt_imports)
target_link_libraries(CHRONYX PRIVATE ${CHX_CRT_IMPLIB})

# The debug information leaves the shipped file for CHRONYX.dll.debug, which
# .gnu_debuglink names so that debuggers and addr2line find it. objcopy stamps
# the PE header with the time of day unless SOURCE_DATE_EPOCH says otherwise;
# the link CRC covers the debug file, so both must be free of it.
set(CHX_OBJCOPY ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
add_custom_command(TARGET CHRONYX POST_BUILD
    COMMAND ${CHX_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:CHRONYX>
            $<TARGET_FILE_NAME:CHRONYX>.debug
    COMMAND ${CHX_OBJCOPY} --strip-all
            --add-gnu-debuglink=$<TARGET_FILE_NAME:CHRONYX>.debug $<TARGET_FILE_NAME:CHRONYX>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:CHRONYX>
    COMMENT "Splitting CHRONYX.dll's debug information into CHRONYX.dll.debug"
    VERBATIM)

# Growth, a new import, TLS, debug sections or a build that differs from a
# second one fail here with their figures.
add_test(NAME release_image
         COMMAND sh ${PROJECT_SOURCE_DIR}/tests/image/check_release_image.sh ${CHX_MINGW_PREFIX}
                 $<TARGET_FILE:CHRONYX> ${CHX_SIZE_LIMIT} ${CMAKE_SIZEOF_VOID_P}
                 ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
add_test(NAME release_reproducible
         COMMAND sh ${PROJECT_SOURCE_DIR}/tests/image/check_reproducible.sh ${CMAKE_COMMAND}
                 ${PROJECT_SOURCE_DIR} $<TARGET_FILE:CHRONYX> ${CMAKE_BINARY_DIR}/reproduce
                 ${CMAKE_GENERATOR} ${CMAKE_TOOLCHAIN_FILE} ${CMAKE_BUILD_TYPE})
set_tests_properties(release_reproducible PROPERTIES TIMEOUT 600)
