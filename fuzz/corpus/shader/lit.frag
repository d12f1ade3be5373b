#version 420 core

in vec2 uv;
in vec3 worldPosition;
in vec3 worldNormal;
in vec3 eyeNormal;
in vec3 eyePosition;

uniform sampler2D myTextureSampler;
uniform vec3 cameraPosition;
uniform vec3 sharedLightColor;
uniform float ambientIntensity;
uniform vec3 diffuseDir;
uniform float diffuseIntensity;
uniform float specularMatInt;
uniform float specularMatPower;

out vec4 colour;

// A weak fill light from the eye keeps faces turned away from the sun from going flat.
const float kFillIntensity = 0.25;
// The material's power is a fraction of this Blinn exponent.
const float kMaxShininess = 64.0;

void main() {
    vec3 n = normalize(worldNormal);
    vec3 toLight = normalize(diffuseDir);
    vec3 toEye = normalize(cameraPosition - worldPosition);

    float diffuse = max(dot(n, toLight), 0.0) * diffuseIntensity;
    // In eye space the eye sits at the origin.
    float fill = max(dot(normalize(eyeNormal), normalize(-eyePosition)), 0.0) * kFillIntensity;
    vec3 halfway = normalize(toLight + toEye);
    float shininess = max(specularMatPower * kMaxShininess, 1.0);
    float highlight = diffuse > 0.0 ? pow(max(dot(n, halfway), 0.0), shininess) : 0.0;

    vec3 texel = texture(myTextureSampler, uv).rgb;
    vec3 lit = texel * sharedLightColor * (ambientIntensity + diffuse + fill);
    vec3 shine = sharedLightColor * specularMatInt * highlight;
    colour = vec4(min(lit + shine, vec3(1.0)), 1.0);
}
