#!/usr/bin/env bash
# The programs' command lines as a shell user meets them: --help and --version on standard output
# with status 0; an unknown option, one missing its value, or a bad recording to replay refused on
# standard error with status 2. None of them opens a window.
# Usage: cli.sh KELVARIN KELVARIN_SIM VERSION
set -uo pipefail
game=$1
sim=$2
version=$3
failures=0
check() {
    local what=$1 expected_status=$2 stream=$3 pattern=$4
    shift 4
    local out err status
    out=$(env -u DISPLAY "$@" 2>/tmp/kelvarin-cli-err.$$)
    status=$?
    err=$(cat /tmp/kelvarin-cli-err.$$)
    rm -f /tmp/kelvarin-cli-err.$$
    local text=$out
    [ "$stream" = stderr ] && text=$err
    if [ "$status" -ne "$expected_status" ] || ! grep -q -- "$pattern" <<<"$text"; then
        echo "FAIL: $what: status $status, $stream: $text" >&2
        failures=$((failures + 1))
    fi
}
check "game help" 0 stdout "^Usage: kelvarin" "$game" --help
check "game version" 0 stdout "^kelvarin $version\$" "$game" --version
check "game unknown option" 2 stderr "^kelvarin: unknown option '--nope'" "$game" --nope
check "game option missing its value" 2 stderr "^kelvarin: option '--record' needs a file" \
    "$game" --record
bad=$(mktemp)
printf 'kelvarin-script 2\n1 delta 0.016\n2 delta zero\n' >"$bad"
check "game replay of a bad recording" 2 stderr "^kelvarin: $bad:3: bad number" "$game" --replay "$bad"
check "sim replay of a bad recording" 2 stderr "^kelvarin-sim: $bad:3: bad number" "$sim" --script "$bad"
rm -f "$bad"
check "sim version" 0 stdout "^kelvarin-sim $version\$" "$sim" --version
check "sim help" 0 stdout "^Usage: kelvarin-sim" "$sim" --help
check "sim option missing its value" 2 stderr "^Usage: kelvarin-sim" "$sim" --frames
check "sim unknown option" 2 stderr "^Usage: kelvarin-sim" "$sim" --nope
[ "$failures" -eq 0 ] && echo "command lines as documented"
exit "$failures"
