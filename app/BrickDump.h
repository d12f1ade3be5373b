#pragma once

#include <cstdio>
#include <string>

class BrickWallScene;

// The bricks as CSV, the format kelvarin-sim prints: "frame,index,x,y,z,asleep", six decimals.
constexpr const char* kBrickCsvHeader = "frame,index,x,y,z,asleep\n";

void printBricks(std::FILE* out, const BrickWallScene& scene, int frame);
// The header and the bricks after the given frame, in a file of their own. A file that cannot be
// written gives one line on standard error and false.
bool writeBrickDump(const std::string& path, const BrickWallScene& scene, int frame);
