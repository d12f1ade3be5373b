#version 420 core

layout(location = 0) in vec3 vertexPosition;
layout(location = 1) in vec2 vertexUv;
layout(location = 2) in vec3 vertexNormal;

uniform mat4 M;
uniform mat4 MV;
uniform mat4 MVP;
// Many objects of one model drawn at once carry their own M, MV and MVP, as the uniforms would.
uniform bool instanced;
layout(location = 3) in mat4 instanceM;
layout(location = 7) in mat4 instanceMV;
layout(location = 11) in mat4 instanceMVP;

out vec2 uv;
out vec3 worldPosition;
out vec3 worldNormal;
out vec3 eyeNormal;
out vec3 eyePosition;

void main() {
    mat4 m = instanced ? instanceM : M;
    mat4 mv = instanced ? instanceMV : MV;
    mat4 mvp = instanced ? instanceMVP : MVP;
    gl_Position = mvp * vec4(vertexPosition, 1.0);
    uv = vertexUv;
    // Objects are only translated and scaled: the inverse transpose keeps normals true under
    // unequal scales.
    worldPosition = (m * vec4(vertexPosition, 1.0)).xyz;
    worldNormal = mat3(transpose(inverse(m))) * vertexNormal;
    eyePosition = (mv * vec4(vertexPosition, 1.0)).xyz;
    eyeNormal = mat3(transpose(inverse(mv))) * vertexNormal;
}
