#!/usr/bin/env bash
# The game's folders depend one way, bottom to top, and their libraries say so: derives the folder
# graph from the #include lines and fails on any pair of folders that include each other, except
# objects and physics (objects register with the physics world, which moves them), and on any
# folder whose library links other game libraries than exactly those of the folders it includes.
# Usage: folder_graph.sh PROJECT_ROOT
set -euo pipefail
cd "$1"
folders="app scene objects physics rewind render input sound core platform"
allowed="objects<->physics"

# includes FOLDER: the other game folders whose headers FOLDER includes, one a line, sorted.
includes() {
    grep -rhoE '^#include "[a-z]+/' "$1" --include='*.h' --include='*.cpp' |
        sed -E 's|#include "([a-z]+)/|\1|' | sort -u |
        while read -r to; do
            if [ "$to" != "$1" ] && [[ " $folders " == *" $to "* ]]; then echo "$to"; fi
        done
}

# links FOLDER: the game libraries its own library links, by folder name, sorted.
links() {
    sed -n "/target_link_libraries(kelvarin_$1 /,/)/p" "$1/CMakeLists.txt" |
        grep -oE "\bkelvarin_[a-z]+\b" | sed 's/^kelvarin_//' | grep -vx "$1" |
        while read -r to; do
            if [[ " $folders " == *" $to "* ]]; then echo "$to"; fi
        done | sort -u
}

edges=$(for from in $folders; do includes "$from" | sed "s/^/$from /"; done)

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

# The platform folder is the bottom: its libraries link the window and audio libraries only.
for folder in ${folders% platform}; do
    included=$(includes "$folder" | tr '\n' ' ')
    linked=$(links "$folder" | tr '\n' ' ')
    if [ "$included" != "$linked" ]; then
        echo "FAIL: kelvarin_$folder links [ $linked] but its folder includes [ $included]" >&2
        status=1
    fi
done
[ $status -eq 0 ] && echo "folders depend one way ($(wc -l <<<"$edges") edges), each library links what its folder includes"
exit $status
