# The version set once in project() reaches CHRONYX.dll's version resource,
# the reference host and the tests through one generated header per build.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CHX_IMAGE_WIDTH x64)
else()
    set(CHX_IMAGE_WIDTH 32-bit)
endif()
set(CHX_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CHX_DLL_DIR}/resources/chronyx_version.h.in
               ${CHX_GENERATED_DIR}/chronyx_version.h @ONLY)

# Headers only: linking it adds no library, so the DLL's imports stay as they are.
add_library(chx_version INTERFACE)
target_include_directories(chx_version INTERFACE ${CHX_GENERATED_DIR})

target_link_libraries(CHRONYX PRIVATE chx_version)
# windres writes no dependency file: the resource script's includes are named here.
set_property(SOURCE ${CHX_DLL_DIR}/resources/chronyx.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CHX_DLL_DIR}/resources/version_info.rc ${CHX_GENERATED_DIR}/chronyx_version.h)
