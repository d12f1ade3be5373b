#version 420 core

// World space, with a colour per corner.
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 vertexColour;

uniform mat4 VP;

out vec3 lineColour;

void main() {
    gl_Position = VP * vec4(position, 1.0);
    lineColour = vertexColour;
}
