#include "render/RenderContext.h"

#include "input/Camera.h"

RenderContext* RenderContext::instance() {
    static RenderContext* context = new RenderContext();
    return context;
}

void RenderContext::computeMatrices(Geo::Data::IMatrices& matrices) const {
    camera->view.computeModelView(matrices.modelMatrix, matrices.modelViewMatrix);
    // The projection is already in the camera's stored product, not multiplied again per object.
    camera->computeMvp(matrices.modelMatrix, matrices.mvpMatrix);
}
