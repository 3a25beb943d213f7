#!/bin/sh
# Each program given must start, with no options in its environment, with
# the runtime's TLS interceptor off and leak checking on.
set -u
for program in "$@"; do
    flags=$(env -u ASAN_OPTIONS -u LSAN_OPTIONS ASAN_OPTIONS=help=1 "$program" --help 2>&1 </dev/null)
    for flag in "intercept_tls_get_addr:false" "detect_leaks:true"; do
        name=${flag%%:*}
        value=${flag#*:}
        if ! printf '%s\n' "$flags" | grep -A1 "^[[:space:]]*$name\$" | grep -q "Current Value: $value)"; then
            echo "FAIL: $program starts with $name not $value"
            exit 1
        fi
    done
done
echo "ok"
