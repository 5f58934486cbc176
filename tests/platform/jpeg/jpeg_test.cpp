#include "platform/jpeg/jpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using platform::Picture;
using platform::jpeg::decode;
using platform::jpeg::EJPEG;
using platform::jpeg::encode;

// Left half red, right half blue: survives JPEG loss well enough to check.
Picture halves(int w, int h) {
    Picture p{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            auto* px = &p.rgb[(static_cast<std::size_t>(y) * w + x) * 3];
            px[0] = x < w / 2 ? 220 : 20;
            px[1] = 30;
            px[2] = x < w / 2 ? 20 : 220;
        }
    return p;
}

TEST(Jpeg, RoundTripKeepsSizeAndColours) {
    const auto bytes = encode(halves(40, 24), 95);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    const Picture p = decode(bytes.data(), bytes.size());
    EXPECT_EQ(p.width, 40);
    EXPECT_EQ(p.height, 24);
    ASSERT_EQ(p.rgb.size(), 40u * 24 * 3);
    const auto at = [&](int x, int y, int c) { return int(p.rgb[(std::size_t(y) * 40 + x) * 3 + c]); };
    EXPECT_NEAR(at(5, 12, 0), 220, 12);
    EXPECT_NEAR(at(5, 12, 2), 20, 12);
    EXPECT_NEAR(at(35, 12, 0), 20, 12);
    EXPECT_NEAR(at(35, 12, 2), 220, 12);
}

TEST(Jpeg, TrailingBytesAfterTheImageAreIgnored) {
    auto bytes = encode(halves(16, 16));
    const auto first = bytes.size();
    const auto second = encode(halves(8, 8));
    bytes.insert(bytes.end(), second.begin(), second.end());
    EXPECT_EQ(decode(bytes.data(), bytes.size()).width, 16);
    EXPECT_EQ(decode(bytes.data() + first, second.size()).width, 8);
}

TEST(Jpeg, BrokenDataRaisesInsteadOfEndingTheProcess) {
    const auto good = encode(halves(64, 64));
    std::vector<std::vector<std::uint8_t>> broken;
    broken.push_back({});                                                      // nothing
    broken.push_back({'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'});                // not a JPEG
    broken.push_back(std::vector<std::uint8_t>(good.begin(), good.begin() + 2));  // SOI only
    broken.push_back(std::vector<std::uint8_t>(good.begin(), good.begin() + good.size() / 2));  // truncated
    auto scrambled = good;                                                     // header garbage
    for (std::size_t i = 2; i < 40 && i < scrambled.size(); ++i) scrambled[i] = 0x5A;
    broken.push_back(scrambled);
    for (std::size_t i = 0; i < broken.size(); ++i)
        EXPECT_THROW(decode(broken[i].data(), broken[i].size()), EJPEG) << "case " << i;
}

TEST(Jpeg, RandomGarbageNeverCrashes) {
    std::srand(7);
    const auto good = encode(halves(32, 32));
    for (int n = 0; n < 200; ++n) {
        auto bytes = good;
        for (int k = 0; k < 8; ++k) bytes[std::size_t(std::rand()) % bytes.size()] = std::uint8_t(std::rand());
        try {
            const Picture p = decode(bytes.data(), bytes.size());
            EXPECT_EQ(p.rgb.size(), std::size_t(p.width) * p.height * 3);
        } catch (const EJPEG&) {
        }
    }
}

TEST(Jpeg, EncodeRejectsPicturesWithoutValidSize) {
    EXPECT_THROW(encode(Picture{}), EJPEG);
    EXPECT_THROW(encode(Picture{4, 4, std::vector<std::uint8_t>(10)}), EJPEG);
}

}  // namespace
