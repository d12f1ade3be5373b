#!/usr/bin/env bash
# The game's folders depend one way, bottom to top: derives the folder graph from the #include
# lines and fails on any pair of folders that include each other, except objects and physics
# (objects register with the physics world, which moves them).
# Usage: folder_graph.sh PROJECT_ROOT
set -euo pipefail
cd "$1"
folders="app scene objects physics rewind render input sound core platform"
allowed="objects<->physics"

edges=$(for from in $folders; do
    grep -rhoE '^#include "[a-z]+/' "$from" --include='*.h' --include='*.cpp' |
        sed -E 's|#include "([a-z]+)/|\1|' | sort -u |
        while read -r to; do
            if [ "$to" != "$from" ] && [[ " $folders " == *" $to "* ]]; then echo "$from $to"; fi
        done
done)

status=0
while read -r a b; do
    [ -n "$a" ] || continue
    if grep -qx "$b $a" <<<"$edges" && [[ "$a" < "$b" ]]; then
        pair="$a<->$b"
        if [ "$pair" = "$allowed" ]; then
            echo "allowed: $pair"
        else
            echo "FAIL: $pair include each other" >&2
            status=1
        fi
    fi
done <<<"$edges"
[ $status -eq 0 ] && echo "folders depend one way ($(wc -l <<<"$edges") edges)"
exit $status
