# Media that is broken in ways the readers accept: every case is a well-formed file whose content
# reaches the physics, the driver or the mixer. Sourced by the tests that play them.
#
# corrupt_media CASE MEDIA: turns the media folder MEDIA (a hard-linked copy of the game's) into
# CASE; every file written is unlinked first, so the game's own files stay untouched.

CORRUPT_CASES="obj-no-faces obj-one-face obj-one-point obj-nan obj-infinite obj-huge
obj-some-vertices tga-1x1 tga-4096x1 tga-grey wav-empty wav-few-samples shader-no-link
shader-no-colour"

# replace FILE: FILE's new content comes from standard input.
replace() { rm -f "$1" && cat >"$1"; }

# An OBJ of three corners, with a face joining them when asked.
obj() {
    printf 'v %s\nv %s\nv %s\nvt 0 0\nvn 0 0 1\n' "$1" "$2" "$3"
    [ "${4:-face}" = face ] && printf 'f 1/1/1 2/1/1 3/1/1\n'
    return 0
}

# tga TYPE WIDTH HEIGHT BITS BYTE: an uncompressed TGA, every pixel byte BYTE (octal).
tga() {
    local bytes=$(($2 * $3 * $4 / 8))
    printf "\\0\\0\\$(printf %o "$1")\\0\\0\\0\\0\\0\\0\\0\\0\\0"
    printf "\\$(printf %o $(($2 % 256)))\\$(printf %o $(($2 / 256)))"
    printf "\\$(printf %o $(($3 % 256)))\\$(printf %o $(($3 / 256)))"
    printf "\\$(printf %o "$4")\\0"
    head -c "$bytes" /dev/zero | tr '\0' "\\$5"
}

# wav FRAMES: 16-bit stereo PCM at 44100 Hz, FRAMES frames of silence.
wav() {
    local data=$(($1 * 4))
    le32() { printf "\\$(printf %o $(($1 & 255)))\\$(printf %o $((($1 >> 8) & 255)))\\$(printf %o $((($1 >> 16) & 255)))\\$(printf %o $((($1 >> 24) & 255)))"; }
    printf 'RIFF'; le32 $((36 + data)); printf 'WAVEfmt '; le32 16
    printf '\1\0\2\0'; le32 44100; le32 176400; printf '\4\0\20\0data'; le32 "$data"
    head -c "$data" /dev/zero
}

corrupt_media() {
    local m=$2
    case $1 in
        obj-no-faces) obj "0 0 0" "1 0 0" "0 1 0" none | replace "$m/models/brick.obj" ;;
        obj-one-face) obj "-0.5 0 0" "0.5 0 0" "0 0.25 0" | replace "$m/models/brick.obj" ;;
        obj-one-point) obj "0.5 0.5 0.5" "0.5 0.5 0.5" "0.5 0.5 0.5" | replace "$m/models/brick.obj" ;;
        obj-nan) obj "nan 0 0" "0.4 nan 0.2" "-0.4 0.2 nan" | replace "$m/models/brick.obj" ;;
        obj-infinite) obj "inf 0 0" "-inf 1 0" "0.25 0 -0.25" | replace "$m/models/brick.obj" ;;
        obj-huge) obj "1e30 1e30 1e30" "-1e30 -1e30 -1e30" "1e30 -1e30 0" |
            replace "$m/models/brick.obj" ;;
        # Eight corners of a box, only three of them used.
        obj-some-vertices)
            { for x in -0.8 0.8; do for y in -0.4 0.4; do for z in -0.4 0.4; do
                echo "v $x $y $z"; done; done; done
              printf 'vt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 4/1/1\n'; } | replace "$m/models/brick.obj" ;;
        tga-1x1) tga 2 1 1 24 310 | replace "$m/textures/brick.tga" ;;
        tga-4096x1) tga 2 4096 1 24 144 | replace "$m/textures/wall.tga" ;;
        tga-grey) tga 3 4 4 8 200 | replace "$m/textures/floor.tga" ;;
        wav-empty) wav 0 | replace "$m/sounds/backgroundMusic.wav" ;;
        wav-few-samples) wav 3 | replace "$m/sounds/backgroundMusicBackwards.wav" ;;
        # Compiles, but writes an output under a name the fragment stage does not read.
        shader-no-link)
            local source
            source=$(sed 's/\buv\b/uvNobodyReads/g' "$m/shaders/Ambient_Diffuse_Spec.vert")
            printf '%s\n' "$source" | replace "$m/shaders/Ambient_Diffuse_Spec.vert" ;;
        shader-no-colour)
            for stage in Ambient_Diffuse_Spec Text2D; do
                printf '#version 420 core\nvoid main() {}\n' | replace "$m/shaders/$stage.frag"
            done ;;
        *) echo "unknown corruption $1" >&2; return 1 ;;
    esac
}
