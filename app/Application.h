#pragma once

// app/: start-up, the frame loop and shutdown. May include every folder.

#include <string>

#include "input/Input.h"

class BrickWallScene;

// How the next start-up begins: fullscreen or in the window, and how the mouse turns the view.
void setStartSettings(bool fullscreen, const LookSettings& look);
// Opens the window and its OpenGL context and loads the extension entry points.
bool initWindow();
// The start-up order: window, GPU resources, input, render context, mouse callback, lit program,
// clock. 0 on success, -1 when the window or context could not be made.
int initApplication();
// The start-up of a run without a window or OpenGL (kelvarin-sim --no-draw): input, render
// context with drawing off, mouse callback, clock.
void initWithoutDrawing();
// Sets the OpenGL state, builds the scene and runs the frame loop until Escape or the window
// closes, then shuts down. In a browser it returns at once and the page's animation frames play
// the game.
void runGame(std::string title);
// The window title, sticky keys and OpenGL state the frame loop runs with; done before the scene is
// built.
void prepareFrameLoop(const std::string& title);
// One iteration of the frame loop, the only one there is (the game, kelvarin-sim with and without
// drawing, the tests, the benchmarks and a browser's animation frames all call it): the window's
// current layout, clear and lit uniforms, updateFrame, the simulation steps due, drawing, swap.
// Without drawing (a run without OpenGL, a minimised window) it differs in the pixels only.
void runFrame(BrickWallScene& scene);
// Per-frame update of the process-wide objects: clock, input, camera.
void updateFrame();
// Hands the scene this frame's input and runs the simulation steps the frame made due.
void simulateFrame(BrickWallScene& scene);
// Before each frame: the session's recorded events for it, its cursor reports delivered. False once
// a replayed recording has no more frames (always true without a session).
bool beginSessionFrame();
// The mouse callback: a report from the window library, unless a replay stands in for it.
void onMousePos(int x, int y);
// A cursor report reaching the input state and the camera.
void deliverCursorReport(int x, int y);
// Where the frame loop writes the bricks after its last frame (empty: nowhere).
void setBrickDumpPath(const std::string& path);
void releaseResources();
// Frames since prepareFrameLoop in which the driver reported an error (the first is printed).
int glErrorFrames();
// True while neither Escape is down, nor the window closed, nor a stop signal received.
bool keepRunning();
