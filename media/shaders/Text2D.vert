#version 420 core

// Overlay space: 800 x 600 units over the whole window, origin at the bottom-left corner.
layout(location = 0) in vec2 overlayPosition;
layout(location = 1) in vec2 vertexUv;

out vec2 uv;

const vec2 kOverlayHalfSize = vec2(400.0, 300.0);

void main() {
    // Depth -1 puts the text in front of everything the scene drew, with depth testing left on.
    gl_Position = vec4(overlayPosition / kOverlayHalfSize - vec2(1.0), -1.0, 1.0);
    uv = vertexUv;
}
