#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/mediagen/MediaGen.h"

namespace MediaGen {
namespace {

// The mixer's own output format, so the music reaches the device unconverted.
constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;
constexpr double kPi = 3.14159265358979323846;

struct Stereo {
    std::vector<double> left, right;
    explicit Stereo(std::size_t frames) : left(frames, 0.0), right(frames, 0.0) {}
    std::size_t frames() const { return left.size(); }
};

void putLe(FILE* f, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), f);
}

bool writeWav(const std::string& path, const std::vector<std::int16_t>& interleaved) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const auto dataBytes = static_cast<std::uint32_t>(interleaved.size() * 2);
    std::fputs("RIFF", f);
    putLe(f, 36 + dataBytes, 4);
    std::fputs("WAVEfmt ", f);
    putLe(f, 16, 4);
    putLe(f, 1, 2);  // PCM
    putLe(f, kChannels, 2);
    putLe(f, kSampleRate, 4);
    putLe(f, kSampleRate * kChannels * 2, 4);
    putLe(f, kChannels * 2, 2);
    putLe(f, 16, 2);
    std::fputs("data", f);
    putLe(f, dataBytes, 4);
    for (std::int16_t s : interleaved) putLe(f, static_cast<std::uint16_t>(s), 2);
    return std::fclose(f) == 0;
}

// Scales the mix so its loudest sample reaches `peak` of full scale.
std::vector<std::int16_t> toPcm(const Stereo& mix, double peak) {
    double loudest = 1e-9;
    for (std::size_t i = 0; i < mix.frames(); ++i) {
        loudest = std::max({loudest, std::fabs(mix.left[i]), std::fabs(mix.right[i])});
    }
    const double gain = peak * 32767.0 / loudest;
    std::vector<std::int16_t> pcm;
    pcm.reserve(mix.frames() * kChannels);
    for (std::size_t i = 0; i < mix.frames(); ++i) {
        pcm.push_back(static_cast<std::int16_t>(std::lround(mix.left[i] * gain)));
        pcm.push_back(static_cast<std::int16_t>(std::lround(mix.right[i] * gain)));
    }
    return pcm;
}

double midiToHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// A plucked, slightly bright tone: a few harmonics under a fast attack and exponential decay.
void addNote(Stereo& mix, double start, double length, int note, double volume, double pan,
             double decay) {
    const double hz = midiToHz(note);
    const auto first = static_cast<std::size_t>(start * kSampleRate);
    const auto count = static_cast<std::size_t>(length * kSampleRate);
    const double attack = 0.008 * kSampleRate;
    const double release = 0.03 * kSampleRate;
    for (std::size_t i = 0; i < count && first + i < mix.frames(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double phase = 2.0 * kPi * hz * t;
        const double tone =
            std::sin(phase) + 0.35 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase);
        // Ends at zero within its own length, so the loop point never clicks.
        double env = std::exp(-t * decay) * std::min(1.0, i / attack);
        env *= std::min(1.0, static_cast<double>(count - i) / release);
        const double s = tone * env * volume;
        mix.left[first + i] += s * (1.0 - pan);
        mix.right[first + i] += s * pan;
    }
}

bool writeMusic(const std::string& forwardPath, const std::string& backwardPath) {
    constexpr double kBar = 2.0;  // seconds: 4 beats at 120 beats per minute
    constexpr double kEighth = kBar / 8.0;
    // A minor, F, C, G, A minor, F, C, E: each chord as root note and the intervals above it.
    const int roots[] = {57, 53, 48, 55, 57, 53, 48, 52};
    const int thirds[] = {3, 4, 4, 4, 3, 4, 4, 4};
    const int arpeggio[] = {0, 1, 2, 3, 2, 1, 2, 3};
    Stereo mix(static_cast<std::size_t>(kBar * std::size(roots) * kSampleRate));
    for (std::size_t bar = 0; bar < std::size(roots); ++bar) {
        const double barStart = bar * kBar;
        const int root = roots[bar];
        const int chord[] = {root, root + thirds[bar], root + 7, root + 12};
        addNote(mix, barStart, kBar, root - 24, 0.55, 0.5, 1.2);
        addNote(mix, barStart + kBar / 2, kBar / 2, root - 24, 0.35, 0.5, 2.0);
        for (int step = 0; step < 8; ++step) {
            const int note = chord[arpeggio[step]] + 12;
            const double pan = step % 2 == 0 ? 0.35 : 0.65;
            addNote(mix, barStart + step * kEighth, kEighth * 1.9 < kBar ? kEighth * 1.9 : kBar,
                    note, 0.25, pan, 5.0);
        }
        for (int voice = 0; voice < 3; ++voice) {
            addNote(mix, barStart, kBar, chord[voice], 0.09, 0.3 + 0.2 * voice, 0.6);
        }
    }
    const std::vector<std::int16_t> forward = toPcm(mix, 0.7);
    // The same frames, last first; each frame keeps its left and right samples.
    std::vector<std::int16_t> backward;
    backward.reserve(forward.size());
    for (std::size_t frame = forward.size() / kChannels; frame-- > 0;) {
        backward.push_back(forward[frame * kChannels]);
        backward.push_back(forward[frame * kChannels + 1]);
    }
    return writeWav(forwardPath, forward) && writeWav(backwardPath, backward);
}

bool writePistol(const std::string& path) {
    constexpr double kLength = 0.4;
    Stereo mix(static_cast<std::size_t>(kLength * kSampleRate));
    for (std::size_t i = 0; i < mix.frames(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double crack =
            (hashNoise(static_cast<std::uint32_t>(i), 0, 61) * 2.0 - 1.0) * std::exp(-t * 40.0);
        const double thump = std::sin(2.0 * kPi * 90.0 * t) * std::exp(-t * 18.0);
        mix.left[i] = mix.right[i] = crack + 0.8 * thump;
    }
    return writeWav(path, toPcm(mix, 0.9));
}

}  // namespace

bool writeSounds(const std::string& dir) {
    return writeMusic(dir + "/backgroundMusic.wav", dir + "/backgroundMusicBackwards.wav") &&
           writePistol(dir + "/pistol.wav");
}

}  // namespace MediaGen
