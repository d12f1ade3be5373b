#include "core/RangeCoder.h"

#include "core/Assert.h"

namespace RangeCoder {
namespace {

// Below this the range has lost a byte of precision and shifts one out.
constexpr std::uint32_t kTop = 1u << 24;
// How fast a probability follows the bits: a 1/32 step towards each.
constexpr int kAdaptShift = 5;
constexpr int kByteBits = 8;
// Bytes the decoder's code holds: the encoder's first, always 0, is never written.
constexpr int kCodeBytes = 4;
// The encoder's low holds 32 bits of range and a byte of carry and pending output above them.
constexpr int kFlushBytes = 5;

void learn(Probability& p, int bit) {
    if (bit == 0) {
        p += (kProbabilityOne - p) >> kAdaptShift;
    } else {
        p -= p >> kAdaptShift;
    }
}

int bitLength(std::uint64_t value) {
    int bits = 0;
    for (; value != 0; value >>= 1) ++bits;
    return bits;
}

}  // namespace

void Encoder::encode(Probability& p, int bit) {
    const std::uint32_t bound = (range >> kProbabilityBits) * p;
    if (bit == 0) {
        range = bound;
    } else {
        low += bound;
        range -= bound;
    }
    learn(p, bit);
    normalize();
}

void Encoder::encodeDirect(std::uint64_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        range >>= 1;
        if ((value >> i) & 1) low += range;
        normalize();
    }
}

std::vector<std::uint8_t> Encoder::finish() {
    for (int i = 0; i < kFlushBytes; ++i) shiftLow();
    std::vector<std::uint8_t> done;
    done.swap(out);
    *this = Encoder();
    return done;
}

void Encoder::normalize() {
    while (range < kTop) {
        range <<= kByteBits;
        shiftLow();
    }
}

// A byte leaves only once no carry can reach it; 0xFF bytes wait, as a carry would pass them on.
void Encoder::shiftLow() {
    if (static_cast<std::uint32_t>(low) < 0xFF000000u || (low >> 32) != 0) {
        const auto carry = static_cast<std::uint8_t>(low >> 32);
        std::uint8_t byte = cache;
        do {
            if (!first) out.push_back(static_cast<std::uint8_t>(byte + carry));
            first = false;
            byte = 0xFF;
        } while (--pending != 0);
        cache = static_cast<std::uint8_t>(low >> 24);
    }
    ++pending;
    low = (low & 0x00FFFFFFu) << kByteBits;
}

Decoder::Decoder(const std::uint8_t* begin, const std::uint8_t* end) : at(begin), end(end) {
    for (int i = 0; i < kCodeBytes; ++i) code = (code << kByteBits) | next();
}

int Decoder::decode(Probability& p) {
    const std::uint32_t bound = (range >> kProbabilityBits) * p;
    int bit = 0;
    if (code < bound) {
        range = bound;
    } else {
        code -= bound;
        range -= bound;
        bit = 1;
    }
    learn(p, bit);
    normalize();
    return bit;
}

std::uint64_t Decoder::decodeDirect(int bits) {
    std::uint64_t value = 0;
    for (int i = 0; i < bits; ++i) {
        range >>= 1;
        int bit = 0;
        if (code >= range) {
            code -= range;
            bit = 1;
        }
        value = (value << 1) | static_cast<std::uint64_t>(bit);
        normalize();
    }
    return value;
}

void Decoder::normalize() {
    while (range < kTop) {
        range <<= kByteBits;
        code = (code << kByteBits) | next();
    }
}

std::uint8_t Decoder::next() {
    if (at == end) {
        overrun = true;
        return 0;
    }
    return *at++;
}

template <int kLearntBits>
void IntegerModel<kLearntBits>::encode(Encoder& e, std::int64_t value) {
    KELVARIN_ASSERT(value > INT64_MIN);
    e.encode(zero, value != 0);
    if (value == 0) return;
    e.encode(negative, value < 0);
    const std::uint64_t magnitude = static_cast<std::uint64_t>(value < 0 ? -value : value);
    const int bits = bitLength(magnitude);
    length.encode(e, static_cast<unsigned>(bits));
    // Below the leading 1: the top bits learnt, the rest even.
    const int below = bits - 1;
    const int learnt = below < kLearntBits ? below : kLearntBits;
    unsigned node = 1;
    for (int i = below - 1; i >= below - learnt; --i) {
        const int bit = static_cast<int>((magnitude >> i) & 1);
        e.encode(top[bits].probabilities[node], bit);
        node = node * 2 + static_cast<unsigned>(bit);
    }
    e.encodeDirect(magnitude, below - learnt);
}

template <int kLearntBits>
std::int64_t IntegerModel<kLearntBits>::decode(Decoder& d) {
    if (d.decode(zero) == 0) return 0;
    const bool isNegative = d.decode(negative) != 0;
    const int bits = static_cast<int>(length.decode(d));
    // A length no encoder writes: damage, given back as a number out of any bound.
    if (bits == 0 || bits > kMaxLength) return INT64_MAX;
    const int below = bits - 1;
    const int learnt = below < kLearntBits ? below : kLearntBits;
    std::uint64_t magnitude = 1;
    unsigned node = 1;
    for (int i = 0; i < learnt; ++i) {
        const int bit = d.decode(top[bits].probabilities[node]);
        node = node * 2 + static_cast<unsigned>(bit);
        magnitude = (magnitude << 1) | static_cast<std::uint64_t>(bit);
    }
    magnitude = (magnitude << (below - learnt)) | d.decodeDirect(below - learnt);
    const auto signedMagnitude = static_cast<std::int64_t>(magnitude);
    return isNegative ? -signedMagnitude : signedMagnitude;
}

template class IntegerModel<kSmallNumberBits>;
template class IntegerModel<kTimeBits>;

}  // namespace RangeCoder
