#pragma once

#include <glm/glm.hpp>

// Position and orientation of the eye. Angles are degrees; translation is the negated eye position.
class CameraView {
public:
    CameraView();

    // Rotation and view matrices from the current angles and translation.
    void update();
    void computeModelView(const glm::mat4& model, glm::mat4& out) const;
    void translateBy(glm::vec3 v);
    // Undoes the whole last step when any eye coordinate reaches the room bound.
    void clampToRoom();
    void addPitch(float degrees);
    void addYaw(float degrees);
    void clampPitch();
    // The world direction behind the eye (row 2 of the rotation).
    glm::vec3 backAxis() const;
    // The world direction to the eye's right (row 0 of the rotation).
    glm::vec3 rightAxis() const;
    glm::vec3 eyePosition() const { return -translation; }

    // The bound of the player's steps, in world units from the centre on every axis.
    float roomHalfExtent = 0.0f;
    glm::vec3 lastValidTranslation{0.0f};
    glm::vec3 upAxis{0.0f};
    glm::vec3 pitchAxis{0.0f};
    glm::vec3 lookDirection{0.0f};
    glm::vec3 angles{0.0f};
    glm::vec3 translation{0.0f};
    glm::mat4 baseMatrix{1.0f};
    glm::mat4 rotationMatrix{1.0f};
    glm::mat4 viewMatrix{1.0f};
};

// The player: a free-flying eye with its projection, kept inside the room.
class Camera {
public:
    Camera();

    void updateProjection();
    // Follows the framebuffer's shape and the player's field of view, in degrees; the projection
    // is rebuilt only when either changes.
    void setAspectRatio(float ratio);
    void setFieldOfView(float degrees);
    void updateViewProjection();
    // Keyboard movement for one frame of dt seconds.
    void move(float dt);
    // Mouse look from the cursor position recorded by Input; the arguments are not used.
    void onMouseMove(int x, int y);
    void computeMvp(const glm::mat4& model, glm::mat4& out) const;
    // A room of another size: the steps' bound and the far plane grow with it, and in a room
    // larger than the game's the eye starts back from the centre, where the scene can be seen.
    void fitRoom(float halfExtent);

    float fieldOfView = 0.0f;
    float aspectRatio = 0.0f;
    float nearPlane = 0.0f;
    float farPlane = 0.0f;
    glm::mat4 projectionMatrix{1.0f};
    CameraView view;
    glm::mat4 viewProjectionMatrix{1.0f};
};

extern Camera mainCamera;
