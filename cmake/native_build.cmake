# Native (Linux) build: the module's sources over the simulated machine of
# testbed/simulated_machine/, for unit tests, sanitizers, fuzzing and benchmarks.

# The gate's native build counts which lines and branches of the shipped
# sources its suites reach (./chronyx coverage), from the module and from the
# tests that call its headers. Unoptimised, so that every branch counted is one
# the source shows.
option(CHX_COVERAGE "Instrument the build for gcov" OFF)
if(CHX_COVERAGE)
    add_compile_options(-O0 --coverage)
    add_link_options(--coverage)
endif()

add_library(chronyx_module STATIC ${CHX_MODULE_SOURCES})
target_include_directories(chronyx_module PUBLIC ${CHX_DLL_INCLUDE_ROOTS})
target_compile_options(chronyx_module PRIVATE ${CHX_WARNINGS})

file(GLOB CHX_SIM_SOURCES CONFIGURE_DEPENDS ${CHX_TESTBED_DIR}/simulated_machine/sim_*.cpp)
add_library(chronyx_sim STATIC ${CHX_SIM_SOURCES})
target_include_directories(chronyx_sim PUBLIC ${CHX_INCLUDE_ROOTS})
target_compile_options(chronyx_sim PRIVATE ${CHX_WARNINGS})

find_package(GTest REQUIRED)
include(GoogleTest)

add_subdirectory(tests/native)
add_subdirectory(tests/contract)
add_subdirectory(tests/runner)

add_subdirectory(tests/fuzz)
add_subdirectory(tests/soak)
add_subdirectory(bench)
add_subdirectory(tools/gif_encoder)
add_subdirectory(tools/gallery)
add_subdirectory(tests/gif)
add_subdirectory(tests/release)
