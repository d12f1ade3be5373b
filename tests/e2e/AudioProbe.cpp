// Finds where a WAV track's opening samples occur in a raw recording of the game's audio output
// (SDL's disk driver writes the mixer's 16-bit stereo frames as they are played).
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kWavHeaderBytes = 44;
constexpr std::size_t kProbeSamples = 4096;

std::vector<std::int16_t> samples(const std::string& path, std::size_t skip) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    std::vector<std::int16_t> out;
    for (std::size_t i = skip; i + 1 < bytes.size(); i += 2) {
        out.push_back(static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                (static_cast<std::uint8_t>(bytes[i + 1]) << 8)));
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: kelvarin_audio_probe RECORDING TRACK.wav [FROM_SAMPLE]\n"
                     "Prints the sample offset at which TRACK's opening is heard, or -1.\n";
        return 2;
    }
    const std::vector<std::int16_t> recording = samples(argv[1], 0);
    const std::vector<std::int16_t> track = samples(argv[2], kWavHeaderBytes);
    const std::size_t from = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 0;
    if (track.size() < kProbeSamples) {
        std::cout << -1 << std::endl;
        return 0;
    }
    for (std::size_t i = from; i + kProbeSamples <= recording.size(); ++i) {
        std::size_t k = 0;
        while (k < kProbeSamples && recording[i + k] == track[k]) ++k;
        if (k == kProbeSamples) {
            std::cout << i << std::endl;
            return 0;
        }
    }
    std::cout << -1 << std::endl;
    return 0;
}
