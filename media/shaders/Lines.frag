#version 420 core

in vec3 lineColour;

out vec4 colour;

void main() {
    colour = vec4(lineColour, 1.0);
}
