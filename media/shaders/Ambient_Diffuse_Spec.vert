#version 420 core

layout(location = 0) in vec3 vertexPosition;
layout(location = 1) in vec2 vertexUv;
layout(location = 2) in vec3 vertexNormal;

uniform mat4 M;
uniform mat4 MV;
uniform mat4 MVP;

out vec2 uv;
out vec3 worldPosition;
out vec3 worldNormal;

void main() {
    gl_Position = MVP * vec4(vertexPosition, 1.0);
    uv = vertexUv;
    worldPosition = (M * vec4(vertexPosition, 1.0)).xyz;
    // Objects are only translated and scaled: the inverse transpose keeps normals true under
    // unequal scales.
    worldNormal = mat3(transpose(inverse(M))) * vertexNormal;
}
