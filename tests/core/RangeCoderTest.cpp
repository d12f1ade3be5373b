#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "core/RangeCoder.h"

// Bits at every odds, direct bits and whole numbers of every size, mixed as a recording mixes
// them, come back as they went in; the carry that a run of 0xFF bytes must pass on included.
TEST(RangeCoder, EverythingCodedComesBackInOrder) {
    std::mt19937 random(7);
    const std::vector<std::int64_t> numbers = {
        0, 1, -1, 2, 127, -128, 17476, 1LL << 40, -(1LL << 62), (1LL << 62) + 5};
    struct Item {
        int bit;
        std::int64_t number;
        std::uint64_t direct;
    };
    std::vector<Item> items;
    for (int i = 0; i < 20000; ++i) {
        // Mostly one way, as learnt bits are: the coder's bytes then run into carries.
        items.push_back(
            {random() % 16 == 0, numbers[random() % numbers.size()], random() & 0xFFFFF});
    }
    RangeCoder::Encoder encoder;
    RangeCoder::Probability p = RangeCoder::kEven;
    RangeCoder::IntegerModel<RangeCoder::kTimeBits> model;
    for (const Item& item : items) {
        encoder.encode(p, item.bit);
        model.encode(encoder, item.number);
        encoder.encodeDirect(item.direct, 20);
    }
    const std::vector<std::uint8_t> bytes = encoder.finish();
    RangeCoder::Decoder decoder(bytes.data(), bytes.data() + bytes.size());
    RangeCoder::Probability q = RangeCoder::kEven;
    RangeCoder::IntegerModel<RangeCoder::kTimeBits> same;
    for (const Item& item : items) {
        ASSERT_EQ(decoder.decode(q), item.bit);
        ASSERT_EQ(same.decode(decoder), item.number);
        ASSERT_EQ(decoder.decodeDirect(20), item.direct);
    }
    EXPECT_FALSE(decoder.overran());
    RangeCoder::Decoder cut(bytes.data(), bytes.data() + bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size() / 2; ++i) cut.decodeDirect(20);
    EXPECT_TRUE(cut.overran());
}
