#version 420 core

// A dark, nearly opaque panel: white text on it stands out whatever lies behind.
uniform vec4 backdropColour;

out vec4 colour;

void main() {
    colour = backdropColour;
}
