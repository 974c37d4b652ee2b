# Sourced by the project's scripts: what this machine can run, and which Windows build to use.
#
# Some virtual machines here cannot execute 32-bit x86 code at all ("Exec format error" from the
# 32-bit loader), although the kernel has 32-bit support built in. There the Windows programs are
# run from the win64 build under 64-bit Wine (both builds ship either way).
# ZENTRA_ASSUME_NO_32BIT=1 makes the check answer no, so either path can be run on either machine.

# Succeeds when this machine executes 32-bit x86 Linux programs (and so 32-bit Wine).
zentra_can_run_32bit() {
    if [[ ${ZENTRA_ASSUME_NO_32BIT:-0} == 1 ]]; then
        return 1
    fi
    local loader
    for loader in /lib/ld-linux.so.2 /usr/lib/wine/wine; do
        if [[ -x $loader ]]; then
            "$loader" --version >/dev/null 2>&1
            return
        fi
    done
    return 1
}

# The preset whose Windows programs this machine runs under Wine: win32, else win64.
zentra_windows_test_preset() {
    if zentra_can_run_32bit; then echo win32; else echo win64; fi
}

# One line for the log: which Windows build runs and why.
zentra_windows_test_reason() {
    if [[ ${ZENTRA_ASSUME_NO_32BIT:-0} == 1 ]]; then
        echo "ZENTRA_ASSUME_NO_32BIT=1 is set: treating this machine as one without 32-bit support"
    elif zentra_can_run_32bit; then
        echo "this machine executes 32-bit x86 code"
    else
        echo "this machine cannot execute 32-bit x86 code (Exec format error)"
    fi
}

# Prints win32 or win64 for a PE file (by its COFF machine type), nothing for anything else.
zentra_pe_arch() {
    local offset machine
    [[ -f $1 ]] || return 0
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [[ $offset =~ ^[0-9]+$ ]] || return 0
    machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    case $machine in
        014c) echo win32 ;;
        8664) echo win64 ;;
    esac
}
