#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Script.h"
#include "core/RangeCoder.h"

// Recordings in compact form: a few bytes of header, the look and scene as text, then chunks of
// frames, each its length, its frame count, a check and its events coded by an adaptive range
// coder, so that a frame of play costs a byte or two and damage is found by the chunk it is in.
// A chunk is whole once written, so a file cut by a crash between chunks still replays.
namespace CompactRecording {

// The byte that starts every compact recording and no text one (an int as streams peek it).
bool isLeadByte(int byte);

// What the encoder and the decoder learn alike, frame by frame.
struct Models {
    // The symbols' contexts: after each symbol, and at a frame's start after each first symbol.
    static constexpr int kSymbolBits = 3;
    RangeCoder::BitTree<kSymbolBits> kind[2 << kSymbolBits];
    RangeCoder::IntegerModel<RangeCoder::kTimeBits> ticks;
    RangeCoder::IntegerModel<RangeCoder::kSmallNumberBits> dx;
    RangeCoder::IntegerModel<RangeCoder::kSmallNumberBits> dy;
    RangeCoder::BitTree<5> action[2];
    // 2^kAverageShift times the frames' average time, in clock steps.
    std::int64_t averageSteps = 0;
    std::int64_t lastDx = 0;
    std::int64_t lastDy = 0;
    unsigned lastFrameStart = 0;
};

class Writer {
public:
    // stepTicks: the clock's own step; times in whole steps cost least.
    Writer(const LookSettings& look, const SceneLayout::Choice& scene, int stepTicks);
    // The events of the next frame, from frame 1 on, in the order they replay.
    void addFrame(const Script::Event* first, const Script::Event* last);
    int framesWaiting() const { return frames; }
    // What is not yet taken, whole: the header the first time, then the frames added since as a
    // chunk.
    std::vector<std::uint8_t> take();

private:
    std::vector<std::uint8_t> waiting;
    RangeCoder::Encoder encoder;
    Models models;
    std::int64_t stepTicks;
    int frames = 0;
};

// A recording in compact form, in chunks of about a second.
std::vector<std::uint8_t> encode(const Script::Script& recording);
// A compact recording back, its version the current one; on damage, error names the byte of the
// chunk where it is and that chunk's first frame, and no frame is given.
Script::Script decode(const std::string& bytes, const std::string& name);

}  // namespace CompactRecording
