#pragma once

#include <string>

// What differs between the systems the game runs on, besides the window and the sound: a file per
// system implements it (Linux, Windows, a browser or node), chosen by CMake.
namespace Platform {

// The folder of the running program's executable, or empty when the system cannot tell.
std::string executableFolder();
// Where the player's settings file is: $XDG_CONFIG_HOME/kelvarin/settings.ini, or
// ~/.config/kelvarin/settings.ini when that is unset, empty or relative;
// %APPDATA%\Kelvarin\settings.ini on Windows; in a page "/settings.ini", which the page fills
// from the browser's storage and keeps there; none under node. Empty when there is none.
std::string settingsFilePath();
// A page shows the options in a dialog of its own: the game's overlay is for the desktop.
bool optionsShownByPage();
// Whether the files the program writes outlive it: not in a page, whose files live in its memory.
bool filesOutliveTheProgram();
// Moves the program's console window beside the game's on Windows, where a console program has
// one; elsewhere, and for a process without a console, nothing happens.
void placeConsoleWindow(int x, int y, int width, int height);
// Standard output written byte for byte (Windows would turn each line feed into CR LF, and a CSV
// meant to equal another system's would differ), and a reader that went away (kelvarin-sim |
// head) a failed write rather than a signal that ends the program.
void prepareStandardOutput();

// A run that ends before its first frame says why to a page around it, by name: "refused" (an
// option or a recording was refused) or "no-window" (no window or OpenGL); elsewhere the exit
// status says it.
void sayEndBeforePlay(const char* why);

}  // namespace Platform
