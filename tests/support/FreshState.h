#pragma once

class GameRun;

// The process-wide state a fresh game starts with: fake platform, frame clock, camera, input and
// rewind timeline. Every test starts so; a test that plays two games in turn calls it between
// them.
void startAfresh();

// The game's own frame loop: frames until one says stop, then the shutdown. A run that never
// stops fails the test after a number of frames no test needs, instead of hanging it.
void playToTheEnd(GameRun& run);
