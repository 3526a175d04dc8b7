# shellcheck shell=bash
# The CMake presets' builds.

# Configures a preset once; later builds re-run CMake themselves when needed.
configure() {
    local preset=$1
    if [ ! -f "build/$preset/build.ninja" ]; then
        say "configuring $preset"
        cmake --preset "$preset" >/dev/null
    fi
}

build() {
    configure "$1"
    say "building $1"
    cmake --build --preset "$1" "${@:2}"
}
