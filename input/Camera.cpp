#include "input/Camera.h"

#include <glm/gtc/matrix_transform.hpp>

#include "core/Assert.h"
#include "core/WindowSize.h"
#include "input/Input.h"

namespace {

constexpr float kFieldOfViewDegrees = 60.0f;
constexpr float kAspectRatio =
    static_cast<float>(Core::kWindowWidth) / static_cast<float>(Core::kWindowHeight);
constexpr float kNearPlane = 0.1f;
constexpr float kFarPlane = 100.0f;
constexpr glm::vec3 kStartTranslation{0.0f, 0.0f, -5.0f};

constexpr float kRoomHalfExtent = 10.0f;
constexpr float kRoomMargin = 0.5f;
// In a grown room the eye starts this share of the way from the centre to the front wall.
constexpr float kGrownRoomStart = 0.6f;
constexpr float kWalkSpeed = 5.0f;
constexpr float kRunFactor = 2.0f;
constexpr float kPitchLimitDegrees = 90.0f;

}  // namespace

Camera mainCamera;

CameraView::CameraView() {
    translation = glm::vec3(0.0f);
    upAxis = glm::vec3(0.0f, 1.0f, 0.0f);
    pitchAxis = glm::vec3(1.0f, 0.0f, 0.0f);
    lookDirection = glm::vec3(0.0f, 0.0f, -1.0f);
    angles = glm::vec3(0.0f);
    baseMatrix = glm::lookAt(translation, translation + lookDirection, upAxis);
    viewMatrix = baseMatrix;
    roomHalfExtent = kRoomHalfExtent;
    // The start position is set directly: the room bound applies to the player's steps only.
    translation = kStartTranslation;
    update();
}

void CameraView::update() {
    const glm::mat4 pitch = glm::rotate(baseMatrix, glm::radians(angles.x), pitchAxis);
    const glm::mat4 yaw = glm::rotate(baseMatrix, glm::radians(angles.y), upAxis);
    rotationMatrix = pitch * yaw;
    viewMatrix = glm::translate(rotationMatrix, translation);
}

void CameraView::computeModelView(const glm::mat4& model, glm::mat4& out) const {
    out = viewMatrix * model;
}

void CameraView::translateBy(glm::vec3 v) {
    translation += v;
    clampToRoom();
}

void CameraView::clampToRoom() {
    const float limit = roomHalfExtent - kRoomMargin;
    for (int axis = 0; axis < 3; ++axis) {
        if (translation[axis] >= limit || translation[axis] <= -limit) {
            translation = lastValidTranslation;
            return;
        }
    }
    lastValidTranslation = translation;
}

void CameraView::addPitch(float degrees) {
    angles.x += degrees;
}

void CameraView::addYaw(float degrees) {
    angles.y += degrees;
}

void CameraView::clampPitch() {
    if (angles.x > kPitchLimitDegrees) angles.x = kPitchLimitDegrees;
    if (angles.x < -kPitchLimitDegrees) angles.x = -kPitchLimitDegrees;
}

glm::vec3 CameraView::backAxis() const {
    return glm::vec3(rotationMatrix[0][2], rotationMatrix[1][2], rotationMatrix[2][2]);
}

glm::vec3 CameraView::rightAxis() const {
    return glm::vec3(rotationMatrix[0][0], rotationMatrix[1][0], rotationMatrix[2][0]);
}

Camera::Camera() {
    fieldOfView = kFieldOfViewDegrees;
    aspectRatio = kAspectRatio;
    nearPlane = kNearPlane;
    farPlane = kFarPlane;
    projectionMatrix = glm::mat4(1.0f);
    updateProjection();
    viewProjectionMatrix = glm::mat4(1.0f);
    view.update();
    updateViewProjection();
}

void Camera::updateProjection() {
    projectionMatrix =
        glm::perspective(glm::radians(fieldOfView), aspectRatio, nearPlane, farPlane);
}

void Camera::setAspectRatio(float ratio) {
    KELVARIN_ASSERT(ratio > 0.0f);
    if (ratio == aspectRatio) return;
    aspectRatio = ratio;
    updateProjection();
}

void Camera::setFieldOfView(float degrees) {
    KELVARIN_ASSERT(degrees > 0.0f);
    if (degrees == fieldOfView) return;
    fieldOfView = degrees;
    updateProjection();
}

void Camera::updateViewProjection() {
    viewProjectionMatrix = projectionMatrix * view.viewMatrix;
}

void Camera::move(float dt) {
    const Input* input = Input::instance();
    float speed = kWalkSpeed;
    if (input->isRunDown()) speed *= kRunFactor;
    // translation is the negated eye position: adding backAxis moves the eye forward.
    if (input->isForwardDown()) view.translateBy(view.backAxis() * speed * dt);
    if (input->isLeftDown()) view.translateBy(view.rightAxis() * speed * dt);
    if (input->isBackDown()) view.translateBy(-view.backAxis() * speed * dt);
    if (input->isRightDown()) view.translateBy(-view.rightAxis() * speed * dt);
}

void Camera::onMouseMove(int, int) {
    const Input* input = Input::instance();
    if (!input->isMouseCaptured()) return;
    const float dYaw =
        input->getSensitivityX() * static_cast<float>(Input::kCursorCentreX - input->getMouseX());
    const float dPitch =
        input->getSensitivityY() * static_cast<float>(Input::kCursorCentreY - input->getMouseY());
    view.addYaw(-dYaw);
    view.addPitch(-dPitch);
    view.clampPitch();
}

void Camera::computeMvp(const glm::mat4& model, glm::mat4& out) const {
    out = viewProjectionMatrix * model;
}

void Camera::fitRoom(float halfExtent) {
    KELVARIN_ASSERT(halfExtent > 0.0f);
    view.roomHalfExtent = halfExtent;
    farPlane = kFarPlane * halfExtent / kRoomHalfExtent;
    if (halfExtent > kRoomHalfExtent) {
        view.translation = glm::vec3(0.0f, 0.0f, -kGrownRoomStart * halfExtent);
        view.lastValidTranslation = view.translation;
    }
    view.update();
    updateProjection();
    updateViewProjection();
}
