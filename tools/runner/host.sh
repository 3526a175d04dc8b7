# shellcheck shell=bash
# The verbs of the reference host, chronyx-host.exe, built beside CHRONYX.dll
# and run under Wine in the build's prefix: the 32-bit product where this
# machine runs 32-bit programs, else the x64 build; --build=win32|win64
# chooses, and the win32 build chosen where the kernel refuses it runs in the
# VM. Preparation goes to stderr so that the log on stdout stays clean
# (./chronyx run x.json --json > log.jsonl).

# DRY VERB (demo, run or gallery) ARGS...: --build=X or --build X is taken
# from anywhere in ARGS, the rest go to host_VERB with the machine's answer
# and the build. A dry run stops once the build is named.
host_verb() {
    local dry=$1 verb=$2 chosen='' args=() machine build
    shift 2
    while [ $# -gt 0 ]; do
        case "$1" in
        --build=*) chosen=${1#--build=} ;;
        --build)
            [ $# -ge 2 ] || die "--build needs win32 or win64"
            chosen=$2
            shift
            ;;
        *) args+=("$1") ;;
        esac
        shift
    done
    case "$verb" in
    run) [ ${#args[@]} -ge 1 ] ||
        die "run: needs a scenario (./chronyx run FILE.json [--json] [--out DIR] [--build=win32|win64])" ;;
    gallery) [ ${#args[@]} -eq 0 ] || die "gallery: takes only --build=win32|win64" ;;
    esac
    machine=$(probe_machine)
    build=$(choose_build "$machine" "$chosen")
    [ "$dry" = no ] || return 0
    build=$(prepare_host "$machine" "$build" "$chosen")
    "host_$verb" "$machine" "$build" "${args[@]}"
}

using_x64() { echo "using the win64 build (x64 CHRONYX.dll under 64-bit Wine)"; }

# MACHINE CHOSEN: names the build on stderr and prints it.
choose_build() {
    local machine=$1 chosen=$2
    if [ -n "$chosen" ]; then
        case "$chosen" in
        win32 | win64) ;;
        *) die "--build must be win32 or win64, not $chosen" ;;
        esac
        local where=''
        [ "$chosen" = win64 ] || where=$(vm_note "$machine")
        say "using the $chosen build: chosen with --build$where" >&2
        echo "$chosen"
    elif [ "$(runs_32bit "$machine")" = yes ]; then
        say "using the win32 build (the 32-bit product): this machine runs 32-bit programs$(vm_note "$machine")" >&2
        echo win32
    else
        say "$(using_x64): $(why_not_32bit "$machine")" >&2
        echo win64
    fi
}

# MACHINE BUILD CHOSEN: installs and builds what the host needs and prints
# the build it ends on: win64 where 32-bit Wine could not be installed,
# unless win32 was chosen.
prepare_host() {
    local machine=$1 build=$2 chosen=$3 why why_no_win32
    why=$(mktemp)
    ensure_packages "$build" "$machine" >&2 3>"$why"
    why_no_win32=$(take_reason "$why")
    if [ -n "$why_no_win32" ] && [ "$build" = win32 ]; then
        [ -z "$chosen" ] || die "$why_no_win32"
        build=win64
        say "$(using_x64) instead: 32-bit Wine is missing" >&2
    fi
    build "$build" --target chronyx-host >&2
    build native --target chronyx-gif >&2
    wine_prefix "$build" "$(win32_where "$machine")" >&2 || exit 1
    echo "$build"
}

# MACHINE BUILD ARGS...: the host with ARGS.
run_host() {
    local machine=$1 build=$2
    shift 2
    local host=("$ROOT/build/$build/wine-run" "$ROOT/build/$build/chronyx-host.exe" "$@")
    if [ "$build" = win32 ]; then
        in_win32_machine "$(win32_where "$machine")" "${host[@]}"
    else
        "${host[@]}"
    fi
}

# The host, a Windows program, leaves each recording as NAME.gif.frames in
# its output folder; the native chronyx-gif makes NAME.gif of it.
encode_recordings() {
    local folder=$1 frames
    [ -d "$folder" ] || return 0
    while IFS= read -r -d '' frames; do
        "$ROOT/build/native/tools/gif_encoder/chronyx-gif" "$frames" >&2
        rm -f "$frames"
    done < <(find "$folder" -name '*.gif.frames' -print0)
}

# DEFAULT ARGS...: the output folder the host is given in ARGS, or DEFAULT.
output_folder() {
    local folder=$1 args=("${@:2}") i
    for ((i = 0; i < ${#args[@]}; i++)); do
        [ "${args[i]}" = --out ] && [ $((i + 1)) -lt ${#args[@]} ] && folder=${args[i + 1]}
    done
    printf '%s\n' "$folder"
}

# The main job: the default scenario at the current local time; the picture
# goes to out/demo.png and the log to the terminal.
host_demo() {
    local folder
    run_host "$1" "$2" --out "$ROOT/out" "${@:3}" demo
    folder=$(output_folder "$ROOT/out" "${@:3}")
    encode_recordings "$folder"
    say "pictures: $folder/demo.png and $folder/demo.gif" >&2
}

# docs/gallery.md and its pictures: chronyx-gallery writes a scenario for
# each topic, and the host draws each one into docs/gallery/.
host_gallery() {
    local scenario
    build native --target chronyx-gallery >&2
    build/native/tools/gallery/chronyx-gallery "$ROOT/docs"
    for scenario in docs/gallery/scenarios/*.json; do
        run_host "$1" "$2" --out "$ROOT/docs/gallery" "$ROOT/$scenario" >/dev/null
    done
    say "gallery: $ROOT/docs/gallery.md"
}

# A scenario file, read relative to the folder ./chronyx was started from;
# snapshots go to out/ there unless --out says otherwise.
host_run() {
    local caller=${OLDPWD:-$ROOT}
    (cd "$caller" && run_host "$@" && encode_recordings "$(output_folder out "${@:3}")")
}
