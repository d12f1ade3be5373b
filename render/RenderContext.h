#pragma once

// render/: shaders, textures, models, the text overlay, the frame layout and this meeting point
// of the camera and the lit shader. May include: input, core, platform.

#include "core/IMatrices.h"

class Camera;
namespace Shaders {
class AmbDifSpecShader;
}

// Where drawable objects meet the camera and the lit shader without holding pointers of their own.
class RenderContext {
public:
    static RenderContext* instance();

    void setCamera(Camera* c) { camera = c; }
    void setShader(Shaders::AmbDifSpecShader* s) { shader = s; }
    Camera* getCamera() const { return camera; }
    Shaders::AmbDifSpecShader* getShader() const { return shader; }
    // Off for a run without OpenGL (kelvarin-sim --no-draw): objects then make no GL objects.
    void setDrawing(bool on) { drawing = on; }
    bool isDrawing() const { return drawing; }

    // Fills the model-view and model-view-projection matrices from the model matrix.
    void computeMatrices(Geo::Data::IMatrices& matrices) const;

private:
    Camera* camera = nullptr;
    Shaders::AmbDifSpecShader* shader = nullptr;
    bool drawing = true;
};
