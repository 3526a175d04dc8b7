# shellcheck shell=bash
# What this machine runs, asked once by each verb that cares and handed on as
# one line: "yes here", "yes vm:WHY" or "no vm:WHY". "yes" and "no" say
# whether the kernel runs 32-bit programs; here or vm, where the 32-bit
# product runs, and WHY, why not here.
#
# The kernel is asked with a 96-byte i386 program that only exits with 42.
# Kernels without IA-32 emulation (some virtual machines and containers,
# machines without an x86-32 mode) refuse it with "Exec format error", and so
# they refuse 32-bit Wine. Where they do not, the 32-bit product runs in a VM
# booted on Debian's own kernel (tools/vm/), slowly but for real.
# CHX_NO_32BIT=1 takes the no-32-bit path on any machine; CHX_32BIT_VM=1 runs
# whatever runs 32-bit in the VM even where this machine could run it itself;
# CHX_32BIT_PROBE names a program to ask instead (the runner's tests stand in
# for either kind of kernel with it).

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        die "needs root to run: $*"
    fi
}

probe_machine() {
    local kernel
    kernel=$(probe_kernel)
    if [ "$kernel" != yes ]; then
        printf 'no vm:%s\n' "${kernel#no:}"
    elif [ "${CHX_32BIT_VM:-0}" != 0 ]; then
        echo "yes vm:CHX_32BIT_VM is set"
    else
        echo "yes here"
    fi
}

# "yes", or "no:WHY" (WHY may run over several lines: what the program said).
probe_kernel() {
    if [ "${CHX_NO_32BIT:-0}" != 0 ]; then
        echo "no:CHX_NO_32BIT is set"
        return 0
    fi
    local probe status=0 said
    if [ -n "${CHX_32BIT_PROBE:-}" ]; then
        said=$("$CHX_32BIT_PROBE" 2>&1) || status=$?
    else
        # In the build folder rather than /tmp, which may forbid running programs.
        mkdir -p build
        probe=build/.probe-32bit
        # ELF header, one loadable segment, then: mov eax,1; mov ebx,42; int 0x80.
        printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0'\
'\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0'\
'\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0'\
'\270\1\0\0\0\273\52\0\0\0\315\200' >"$probe"
        chmod +x "$probe"
        said=$("./$probe" 2>&1) || status=$?
        rm -f "$probe"
    fi
    if [ $status -eq 42 ]; then
        echo yes
    elif [ $status -eq 126 ] && [[ $said == *"format error"* || -z $said ]]; then
        echo "no:this machine's kernel refuses 32-bit programs"
    else
        echo "no:a 32-bit test program did not run here (exit $status${said:+: $said})"
    fi
}

# The parts of a machine's answer.
runs_32bit() { printf '%s\n' "${1%% *}"; }
win32_where() {
    local where=${1#* }
    printf '%s\n' "${where%%:*}"
}
why_not_32bit() {
    if [ "$(runs_32bit "$1")" = no ]; then printf '%s\n' "${1#*:}"; fi
}
why_vm() {
    if [ "$(win32_where "$1")" = vm ]; then printf '%s\n' "${1#*:}"; fi
}

# What a message about the 32-bit product adds where it runs in the VM.
vm_note() {
    if [ "$(win32_where "$1")" = vm ]; then
        printf ', in a VM (slow: every instruction emulated): %s\n' "$(why_vm "$1")"
    fi
}

# WHERE (here or vm) COMMAND...: a command of the 32-bit build, from the
# current folder.
in_win32_machine() {
    local where=$1
    shift
    if [ "$where" = vm ]; then
        bash "$ROOT/tools/vm/vm.sh" run "$(pwd)" "$@"
    else
        "$@"
    fi
}
