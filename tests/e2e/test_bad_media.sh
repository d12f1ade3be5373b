#!/usr/bin/env bash
# Broken assets never stop the game: a missing model, a missing texture, a corrupt OBJ and a lit
# fragment shader that does not compile.
source "$(dirname "$0")/lib.sh"

mkdir -p "$WORK/broken"
cp -r "$ROOT/media" "$WORK/broken/"
rm "$WORK/broken/media/models/sphere.obj"
rm "$WORK/broken/media/textures/wall.tga"
# The same 700 bytes of noise every run, so a failure can be replayed.
awk 'BEGIN { srand(7); for (i = 0; i < 700; i++) printf "%c", 1 + int(rand() * 255) }' \
    > "$WORK/broken/media/models/brick.obj"
printf 'v 1 2\nf 9/9/9 0/0/0 -3/-1/x\nvt\nf 1/1/1 1/1/1\n' >> "$WORK/broken/media/models/brick.obj"
printf '#version 420 core\nout vec4 colour;\nvoid main() { colour = undefinedThing; }\n' \
    > "$WORK/broken/media/shaders/Ambient_Diffuse_Spec.frag"

start_game "$WORK/broken"
sleep 2
click
hold space 0.5
quit_and_expect 0
grep -qi "error" "$WORK/stderr" || fail "the compiler log was not printed"
echo "broken media: the game ran and quit cleanly"
