#version 420 core

// Overlay space, as Text2D.vert has it: 800 x 600 units over the overlay's area.
layout(location = 0) in vec2 overlayPosition;

const vec2 kOverlayHalfSize = vec2(400.0, 300.0);

void main() {
    // In front of the scene, as the text is, which is drawn over it afterwards.
    gl_Position = vec4(overlayPosition / kOverlayHalfSize - vec2(1.0), -1.0, 1.0);
}
