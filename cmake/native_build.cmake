# Native (Linux) build: the module's sources over the simulated machine of
# simulated_machine/, for unit tests, sanitizers, fuzzing and benchmarks.

add_library(chronyx_module STATIC ${CHX_MODULE_SOURCES})
target_include_directories(chronyx_module PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(chronyx_module PRIVATE ${CHX_WARNINGS})

file(GLOB CHX_SIM_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/simulated_machine/sim_*.cpp)
add_library(chronyx_sim STATIC ${CHX_SIM_SOURCES})
target_include_directories(chronyx_sim PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(chronyx_sim PRIVATE ${CHX_WARNINGS})

find_package(GTest REQUIRED)
include(GoogleTest)

add_subdirectory(tests/native)
add_subdirectory(tests/contract)
add_subdirectory(tests/runner)

add_subdirectory(tests/fuzz)
add_subdirectory(tests/soak)
add_subdirectory(bench)
add_subdirectory(host/gif_encoder)
add_subdirectory(host/gallery)
add_subdirectory(tests/gif)
add_subdirectory(tests/release)
