# The product: CHRONYX.dll, 32-bit, stdcall, exports by ordinal from a .def,
# the string table from windres, HOSTRUN.dll imported by ordinal only. The
# same file builds the x64 DLL for 64-bit hosts (preset win64): the same
# records with natural pointer size, the same names and ordinals.

# The DLL, the reference HOSTRUN.dll, the host and the test programs share one
# folder so that Windows' loader finds each DLL next to the program.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CHX_WINE_ARCH win64)
else()
    set(CHX_WINE_ARCH win32)
endif()
# Each build folder keeps its own Wine prefix of its own width; the wrapper
# also serves scripts that run the build's programs (tests, the runner).
set(CHX_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
file(CONFIGURE OUTPUT ${CHX_WINE_RUN} CONTENT [=[#!/bin/sh
exec "@PROJECT_SOURCE_DIR@/cmake/wine-run.sh" --arch=@CHX_WINE_ARCH@ --prefix="@CMAKE_BINARY_DIR@/wineprefix" "$@"
]=] @ONLY)
file(CHMOD ${CHX_WINE_RUN} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CHX_WINE_RUN})

# The .def files name the decorated stdcall symbols, so that a wrong argument
# count fails the 32-bit link. x64 has one calling convention and no
# decorations: its copies are derived here with them taken out.
function(chx_def_for_target source out_var)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        get_filename_component(name ${source} NAME)
        set(derived ${CMAKE_BINARY_DIR}/def/${name})
        file(READ ${source} text)
        string(REGEX REPLACE "([A-Za-z_][A-Za-z0-9_]*) *= *[A-Za-z_][A-Za-z0-9_]*@[0-9]+" "\\1"
                             text "${text}")
        string(REGEX REPLACE "([A-Za-z_][A-Za-z0-9_]*)@[0-9]+( +@)" "\\1\\2" text "${text}")
        file(CONFIGURE OUTPUT ${derived} CONTENT "${text}" @ONLY)
        set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                                                                     ${source})
        set(${out_var} ${derived} PARENT_SCOPE)
    else()
        set(${out_var} ${source} PARENT_SCOPE)
    endif()
endfunction()
include(${CMAKE_CURRENT_LIST_DIR}/import_lists.cmake)
chx_def_from_template(${CHX_DLL_DIR}/resources/chronyx.def.in CHX_MODULE_DEF)
chx_def_from_template(${CHX_DLL_DIR}/resources/hostrun_imports.def.in
                      CHX_HOSTRUN_IMPORTS_DEF)

# An import library NAME (libNAME.a, target NAME) for DLL from a .def file.
function(chx_import_library name def dll comment out_var)
    set(implib ${CMAKE_CURRENT_BINARY_DIR}/lib${name}.a)
    add_custom_command(
        OUTPUT ${implib}
        COMMAND ${CMAKE_DLLTOOL} -d ${def} -l lib${name}.a -D ${dll}
        DEPENDS ${def}
        # dlltool names its symbols after the output path: a relative one
        # keeps the build folder out of them.
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        COMMENT "${comment}")
    add_custom_target(${name} DEPENDS ${implib})
    set(${out_var} ${implib} PARENT_SCOPE)
endfunction()
chx_import_library(hostrun_imports ${CHX_HOSTRUN_IMPORTS_DEF} HOSTRUN.dll
                   "Import library for HOSTRUN.dll (by ordinal)" CHX_HOSTRUN_IMPLIB)

add_library(CHRONYX SHARED
    ${CHX_MODULE_SOURCES}
    ${CHX_DLL_DIR}/resources/chronyx.rc
    ${CHX_MODULE_DEF})
add_dependencies(CHRONYX hostrun_imports)
set_target_properties(CHRONYX PROPERTIES PREFIX "" OUTPUT_NAME CHRONYX)
target_include_directories(CHRONYX PRIVATE ${CHX_DLL_INCLUDE_ROOTS})
target_compile_options(CHRONYX PRIVATE ${CHX_WARNINGS})
set_property(TARGET CHRONYX APPEND PROPERTY LINK_DEPENDS ${CHX_MODULE_DEF})
target_link_libraries(CHRONYX PRIVATE ${CHX_HOSTRUN_IMPLIB} ${CHX_WINDOWS_LIBRARIES})
include(${CMAKE_CURRENT_LIST_DIR}/release_product.cmake)
set_source_files_properties(${CHX_DLL_DIR}/resources/chronyx.rc PROPERTIES
    OBJECT_DEPENDS "${CHX_DLL_DIR}/resources/string_list.inc;${PROJECT_SOURCE_DIR}/contract/calendar_pattern_list.inc")
include(${CMAKE_CURRENT_LIST_DIR}/version.cmake)

# Every Wine process of a build shares its prefix, and what one writes there
# (the "Intl" profile, which most drawing tests read) the others see at once:
# a test that changes it runs alone, so that no other test reads it halfway.
function(chx_changes_wine_prefix)
    set_tests_properties(${ARGN} PROPERTIES RUN_SERIAL TRUE)
endfunction()

add_subdirectory(host)
# The benchmarks' Windows program, on the host's pieces.
add_subdirectory(bench/host)
add_subdirectory(tests/wine)
add_subdirectory(tests/release)
