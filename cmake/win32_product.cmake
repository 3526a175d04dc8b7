# The product: CHRONYX.dll, 32-bit, stdcall, exports by ordinal from a .def,
# the string table from windres, HOSTRUN.dll imported by ordinal only.

# The DLL, the reference HOSTRUN.dll, the host and the test programs share one
# folder so that Windows' loader finds each DLL next to the program.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# Each build folder keeps its own Wine prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh --prefix=${CMAKE_BINARY_DIR}/wineprefix)

set(CHX_HOSTRUN_IMPLIB ${CMAKE_CURRENT_BINARY_DIR}/libhostrun_imports.a)
add_custom_command(
    OUTPUT ${CHX_HOSTRUN_IMPLIB}
    COMMAND ${CMAKE_DLLTOOL} -d ${PROJECT_SOURCE_DIR}/resources/hostrun_imports.def
            -l libhostrun_imports.a -D HOSTRUN.dll
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/hostrun_imports.def
    # dlltool names its symbols after the output path: a relative one keeps
    # the build folder out of them.
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    COMMENT "Import library for HOSTRUN.dll (by ordinal)")
add_custom_target(hostrun_imports DEPENDS ${CHX_HOSTRUN_IMPLIB})

add_library(CHRONYX SHARED
    ${CHX_MODULE_SOURCES}
    ${PROJECT_SOURCE_DIR}/resources/chronyx.rc
    ${PROJECT_SOURCE_DIR}/resources/chronyx.def)
add_dependencies(CHRONYX hostrun_imports)
set_target_properties(CHRONYX PROPERTIES PREFIX "" OUTPUT_NAME CHRONYX)
target_include_directories(CHRONYX PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(CHRONYX PRIVATE ${CHX_WARNINGS})
set_property(TARGET CHRONYX APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/resources/chronyx.def)
target_link_libraries(CHRONYX PRIVATE ${CHX_HOSTRUN_IMPLIB} user32 gdi32 kernel32)
include(${CMAKE_CURRENT_LIST_DIR}/release_product.cmake)
set_source_files_properties(${PROJECT_SOURCE_DIR}/resources/chronyx.rc PROPERTIES
    OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/resources/string_list.inc)

foreach(extra host tests/wine)
    if(EXISTS ${PROJECT_SOURCE_DIR}/${extra}/CMakeLists.txt)
        add_subdirectory(${extra})
    endif()
endforeach()
