#pragma once

// The process-wide state a fresh game starts with: fake platform, frame clock, camera, input and
// rewind timeline. Every test starts so; a test that plays two games in turn calls it between
// them.
void startAfresh();
