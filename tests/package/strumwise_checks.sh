# Sourced by the tests of built and installed binaries: what a user sees of strumwise, checked
# from the outside. Each check prints one line saying what failed and returns non-zero.

# check_runs BIN VERSION: --help lists the commands, --version names VERSION, and the tuner
# finds a plucked D4 (the first string of open G) in tune without a window.
check_runs() {
    local bin=$1 version=$2 scratch help trace
    scratch=$(mktemp -d)
    help=$("$bin" --help) || { echo "FAIL: $bin --help exits with $?"; return 1; }
    for command in headless estimate tone devices; do
        grep -q "^  $command" <<<"$help" || { echo "FAIL: --help does not list $command"; return 1; }
    done
    [ "$("$bin" --version)" = "strumwise $version" ] ||
        { echo "FAIL: --version says '$("$bin" --version)', not 'strumwise $version'"; return 1; }
    sox -n -r 14039 -b 16 -c 1 "$scratch/d4.wav" synth 1.5 pluck 293.66 vol 0.5
    trace=$("$bin" headless "$scratch/d4.wav") || { echo "FAIL: headless exits with $?"; return 1; }
    rm -rf "$scratch"
    grep -qE '^[0-9]+\.[0-9]{3} noteDisplay text "D4"$' <<<"$trace" ||
        { echo "FAIL: headless does not show D4 for a plucked D4"; return 1; }
    grep -qE '^[0-9]+\.[0-9]{3} LEDDisplay image "green[0-9]+\.png"$' <<<"$trace" ||
        { echo "FAIL: headless does not light the green lamp for a plucked D4"; return 1; }
    echo "ok: $bin runs: --help, --version $version, headless finds a plucked D4"
}
