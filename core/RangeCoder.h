#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An adaptive binary range coder: bits coded against probabilities that learn as they go, so a
// stream of small, repetitive numbers costs a fraction of a bit each. The encoder and the decoder
// use integer arithmetic only, so every platform writes and reads the very same bytes.
namespace RangeCoder {

// The probability that the next bit is 0, in 1/kProbabilityOne; starts even.
using Probability = std::uint16_t;
constexpr int kProbabilityBits = 11;
constexpr Probability kProbabilityOne = 1 << kProbabilityBits;
constexpr Probability kEven = kProbabilityOne / 2;

class Encoder {
public:
    void encode(Probability& p, int bit);
    // Bits at even odds, most significant first.
    void encodeDirect(std::uint64_t value, int bits);
    // Ends the stream: the bytes so far decode whole. The encoder starts afresh after.
    std::vector<std::uint8_t> finish();

private:
    void normalize();
    void shiftLow();

    std::vector<std::uint8_t> out;
    std::uint64_t low = 0;
    std::uint32_t range = 0xFFFFFFFFu;
    std::uint8_t cache = 0;
    std::uint64_t pending = 1;
    // The first byte the coder's carry scheme makes is always 0, so it is never written.
    bool first = true;
};

class Decoder {
public:
    Decoder(const std::uint8_t* begin, const std::uint8_t* end);
    int decode(Probability& p);
    std::uint64_t decodeDirect(int bits);
    // True once decoding needed bytes beyond the end: what was decoded is not what was written.
    bool overran() const { return overrun; }

private:
    void normalize();
    std::uint8_t next();

    const std::uint8_t* at;
    const std::uint8_t* end;
    std::uint32_t range = 0xFFFFFFFFu;
    std::uint32_t code = 0;
    bool overrun = false;
};

// A number of kBits bits coded bit by bit, each bit's probability chosen by the bits before it.
template <int kBits>
struct BitTree {
    Probability probabilities[1 << kBits];
    BitTree() {
        for (Probability& p : probabilities) p = kEven;
    }
    void encode(Encoder& e, unsigned value) {
        unsigned node = 1;
        for (int i = kBits - 1; i >= 0; --i) {
            const int bit = (value >> i) & 1;
            e.encode(probabilities[node], bit);
            node = node * 2 + bit;
        }
    }
    unsigned decode(Decoder& d) {
        unsigned node = 1;
        for (int i = 0; i < kBits; ++i) node = node * 2 + d.decode(probabilities[node]);
        return node - (1u << kBits);
    }
};

// Signed whole numbers, small ones cheapest: zero or not, the sign, the magnitude's bit length,
// then its top kLearntBits bits learnt per length and the rest at even odds.
template <int kLearntBits>
class IntegerModel {
public:
    void encode(Encoder& e, std::int64_t value);
    std::int64_t decode(Decoder& d);

private:
    static constexpr int kMaxLength = 63;
    Probability zero = kEven;
    Probability negative = kEven;
    BitTree<6> length;
    BitTree<kLearntBits> top[kMaxLength + 1];
};

// The learnt bits of the numbers a recording codes: motions, and frame times, whose spread a
// browser's clock makes wide.
constexpr int kSmallNumberBits = 3;
constexpr int kTimeBits = 6;
extern template class IntegerModel<kSmallNumberBits>;
extern template class IntegerModel<kTimeBits>;

}  // namespace RangeCoder
