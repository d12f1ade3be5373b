#!/usr/bin/env bash
# Broken assets never stop the game, and never make the driver report an error: the game plays a
# shot and a rewind through missing files and through well-formed files of broken content (the
# corrupt-media catalogue), prints the linker's log under the shaders' names, quits with Escape and
# leaves every brick at a number.
source "$(dirname "$0")/lib.sh"
source "$ROOT/tests/media/corrupt.sh"

# play CASES...: one game through a media folder broken in all the given ways.
play() {
    rm -rf "$WORK/broken"
    mkdir -p "$WORK/broken"
    cp -al "$ROOT/media" "$WORK/broken/media"
    rm "$WORK/broken/media/models/sphere.obj"
    for name in "$@"; do corrupt_media "$name" "$WORK/broken/media"; done
    start_game "$WORK/broken" --dump-bricks "$WORK/bricks.csv"
    sleep 1
    click
    hold space 0.5
    quit_and_expect 0
    grep -q "OpenGL error" "$WORK/stderr" && fail "the driver reported an error ($*)"
    grep -qiE 'nan|inf' "$WORK/bricks.csv" && fail "bricks that are not numbers ($*)"
    return 0
}

play obj-nan tga-4096x1 tga-grey wav-empty wav-few-samples shader-no-link
grep -q "^media/shaders/Ambient_Diffuse_Spec.vert + media/shaders/Ambient_Diffuse_Spec.frag:" \
    "$WORK/stderr" || fail "the linker's log was not printed under the shaders' names"
play obj-huge obj-some-vertices tga-1x1 shader-no-colour
echo "broken media: two games ran and quit cleanly, with no driver error"
