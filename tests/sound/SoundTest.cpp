#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/Audio.h"
#include "sound/Sound.h"

namespace {

std::vector<std::int16_t> readSamples(const std::string& path, std::size_t skipBytes) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples;
    for (std::size_t i = skipBytes; i + 1 < bytes.size(); i += 2) {
        samples.push_back(static_cast<std::int16_t>(
            static_cast<std::uint8_t>(bytes[i]) | (static_cast<std::uint8_t>(bytes[i + 1]) << 8)));
    }
    return samples;
}

// Where the first `length` samples of `track` (from `from`) start in `recording`, or -1.
long find(const std::vector<std::int16_t>& recording, const std::vector<std::int16_t>& track,
          std::size_t from, std::size_t length, std::size_t searchFrom) {
    for (std::size_t i = searchFrom; i + length <= recording.size(); ++i) {
        bool match = true;
        for (std::size_t k = 0; k < length && match; ++k)
            match = recording[i + k] == track[from + k];
        if (match) return static_cast<long>(i);
    }
    return -1;
}

// The mixer plays on its own thread: wait until the recording has grown by `bytes`.
void waitForRecording(const std::string& path, std::uintmax_t bytes) {
    std::error_code error;
    std::uintmax_t start = std::filesystem::file_size(path, error);
    if (error) start = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        if (!error && size >= start + bytes) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    FAIL() << "no audio recorded in " << path;
}

constexpr std::uintmax_t kRecordBytes = 256 * 1024;

constexpr std::size_t kWavHeader = 44;
constexpr std::size_t kProbe = 2048;

std::vector<std::int16_t> trackSamples(SoundTrack track) {
    return readSamples(soundFile(track), kWavHeader);
}

// What the disk device received, the file then removed.
std::vector<std::int16_t> takeRecording(const std::string& path) {
    std::vector<std::int16_t> samples = readSamples(path, 0);
    std::remove(path.c_str());
    return samples;
}

// Each case opens the audio device anew with its own driver, so the cases also pass one after
// another in one process.
class Sound : public testing::Test {
protected:
    void TearDown() override {
        setMusicVolume(100);
        stopSound();
        std::filesystem::current_path(startFolder);
    }
    // SDL's disk driver writes what the mixer plays to this file.
    std::string recordToDisk(const std::string& name) {
        const std::string out =
            "/tmp/kelvarin-disk-audio-" + name + "-" + std::to_string(::getpid());
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "1", 1);
        return out;
    }

    const std::filesystem::path startFolder = std::filesystem::current_path();
};

bool allSilent(const std::vector<std::int16_t>& samples, std::size_t from) {
    return std::all_of(samples.begin() + static_cast<long>(from), samples.end(),
                       [](std::int16_t sample) { return sample == 0; });
}

}  // namespace

// SDL's disk driver writes what the mixer plays to a file: the normal track from its start, then
// the reversed track, then the normal track from its start again.
TEST_F(Sound, SwitchesBetweenTheNormalAndTheReversedTrack) {
    const std::string out = recordToDisk("switch");
    playSound(SoundTrack::kBackgroundMusic);
    ASSERT_NO_FATAL_FAILURE(waitForRecording(out, kRecordBytes));
    playSound(SoundTrack::kBackgroundMusicBackwards);
    ASSERT_NO_FATAL_FAILURE(waitForRecording(out, kRecordBytes));
    playSound(SoundTrack::kBackgroundMusic);
    ASSERT_NO_FATAL_FAILURE(waitForRecording(out, kRecordBytes));

    const std::vector<std::int16_t> recording = takeRecording(out);
    const std::vector<std::int16_t> normal = trackSamples(SoundTrack::kBackgroundMusic);
    const std::vector<std::int16_t> reversed = trackSamples(SoundTrack::kBackgroundMusicBackwards);
    ASSERT_GT(recording.size(), 3 * kProbe);

    const long first = find(recording, normal, 0, kProbe, 0);
    ASSERT_GE(first, 0) << "normal track not heard at start";
    const long backwards = find(recording, reversed, 0, kProbe, static_cast<std::size_t>(first));
    ASSERT_GT(backwards, first) << "reversed track not heard after the switch";
    const long again = find(recording, normal, 0, kProbe, static_cast<std::size_t>(backwards));
    EXPECT_GT(again, backwards) << "normal track did not restart from its beginning";
}

TEST_F(Sound, SwitchingToAMissingTrackSilencesTheOneThatPlayed) {
    const std::string out = recordToDisk("halt");
    playSound(SoundTrack::kBackgroundMusic);
    ASSERT_NO_FATAL_FAILURE(waitForRecording(out, kRecordBytes));
    Platform::Audio::playLooping("media/sounds/no-such-track.wav");
    ASSERT_NO_FATAL_FAILURE(waitForRecording(out, kRecordBytes));

    const std::vector<std::int16_t> recording = takeRecording(out);
    // The mixer may have queued a little of the old track; the second half of what followed the
    // switch is past any such queue.
    const std::size_t tail = kRecordBytes / 2 / sizeof(std::int16_t);
    ASSERT_GT(recording.size(), tail);
    EXPECT_TRUE(allSilent(recording, recording.size() - tail)) << "the old track went on playing";
}

TEST_F(Sound, WithoutADeviceEveryCallReturnsAtOnce) {
    setenv("SDL_AUDIODRIVER", "none-such", 1);
    testing::internal::CaptureStderr();
    for (int i = 0; i < 5; ++i) {
        playSound(i % 2 ? SoundTrack::kBackgroundMusicBackwards : SoundTrack::kBackgroundMusic);
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("Sound is off", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

TEST_F(Sound, AMissingFilePlaysNothingAndALaterTrackStillPlays) {
    const std::string out = recordToDisk("missing");
    std::filesystem::current_path("/tmp");  // no media/ here
    playSound(SoundTrack::kBackgroundMusic);
    ASSERT_NO_FATAL_FAILURE(waitForRecording(out, kRecordBytes));
    const std::size_t silence = readSamples(out, 0).size();
    EXPECT_TRUE(allSilent(readSamples(out, 0), 0)) << "something played for a missing file";

    std::filesystem::current_path(startFolder);
    playSound(SoundTrack::kBackgroundMusic);
    ASSERT_NO_FATAL_FAILURE(waitForRecording(out, kRecordBytes));
    const std::vector<std::int16_t> recording = takeRecording(out);
    EXPECT_GE(find(recording, trackSamples(SoundTrack::kBackgroundMusic), 0, kProbe, silence), 0)
        << "the later track was not heard";
}

// The music volume holds for what plays and for tracks started later: at 0 nothing is heard, then
// the track plays quieter at half.
TEST_F(Sound, TheMusicVolumeSilencesOrLowersEveryTrack) {
    const std::string out = recordToDisk("volume");
    setMusicVolume(0);
    playSound(SoundTrack::kBackgroundMusic);
    ASSERT_NO_FATAL_FAILURE(waitForRecording(out, kRecordBytes));
    const std::size_t silent = readSamples(out, 0).size();
    EXPECT_TRUE(allSilent(readSamples(out, 0), 0)) << "the music was heard at volume 0";
    setMusicVolume(50);
    playSound(SoundTrack::kBackgroundMusic);
    ASSERT_NO_FATAL_FAILURE(waitForRecording(out, kRecordBytes));
    const std::vector<std::int16_t> recording = takeRecording(out);
    const auto loudest = [](auto from, auto to) {
        int peak = 0;
        for (auto it = from; it != to; ++it) peak = std::max(peak, std::abs(static_cast<int>(*it)));
        return peak;
    };
    const std::vector<std::int16_t> normal = trackSamples(SoundTrack::kBackgroundMusic);
    const int heard = loudest(recording.begin() + static_cast<long>(silent), recording.end());
    // A slow machine's device may record past the track's end, where it starts again.
    const std::size_t compared = std::min(recording.size() - silent, normal.size());
    const int recorded = loudest(normal.begin(), normal.begin() + static_cast<long>(compared));
    EXPECT_GT(heard, 0);
    EXPECT_LT(heard, recorded * 3 / 4) << "half the volume was not quieter";
}
