#version 420 core

in vec2 uv;

uniform sampler2D myTextureSampler;

out vec4 colour;

void main() {
    colour = texture(myTextureSampler, uv);
}
