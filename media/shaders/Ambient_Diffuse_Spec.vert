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
out vec3 eyeNormal;
out vec3 eyePosition;

void main() {
    gl_Position = MVP * vec4(vertexPosition, 1.0);
    uv = vertexUv;
    // Objects are only translated and scaled: the inverse transpose keeps normals true under
    // unequal scales.
    worldPosition = (M * vec4(vertexPosition, 1.0)).xyz;
    worldNormal = mat3(transpose(inverse(M))) * vertexNormal;
    eyePosition = (MV * vec4(vertexPosition, 1.0)).xyz;
    eyeNormal = mat3(transpose(inverse(MV))) * vertexNormal;
}
