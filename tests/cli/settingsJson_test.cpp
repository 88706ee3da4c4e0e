#include "cli/settingsJson.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <random>

namespace {

using cli::settingsJson::floatValue;
using json = cli::settingsJson::json;

// What encode does with a number of the document.
float readBack(const json& value) {
    return static_cast<float>(json::parse(value.dump()).get<double>());
}

TEST(settingsJsonFloats, everyFloatReadsBackAsTheSameBits) {
    std::mt19937 random(5);
    std::vector<float> samples{0.0f,  -0.0f, 1e-45f, -1e-45f, FLT_MIN,     FLT_MAX,      -FLT_MAX,
                               0.05f, 0.1f,  0.12f,  1.4f,    16777217.0f, 3.4028235e38f};
    // The only floats whose shortest digits round to a neighbour when read through double
    // (found by trying every float).
    samples.push_back(std::bit_cast<float>(0x15AE43FDu)); // 7.038531e-26
    samples.push_back(std::bit_cast<float>(0x95AE43FDu));
    for (int i = 0; i < 50000; ++i)
        samples.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
    for (float f : samples) {
        if (std::isnan(f) || std::isinf(f))
            continue;
        json text = floatValue(f);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(readBack(text)), std::bit_cast<std::uint32_t>(f))
            << text.dump();
    }
    EXPECT_EQ(floatValue(0.05f).dump(), "0.05");
    EXPECT_EQ(floatValue(1.0f).dump(), "1.0");
    EXPECT_EQ(floatValue(INFINITY), "inf");
    EXPECT_EQ(floatValue(-INFINITY), "-inf");
    EXPECT_EQ(floatValue(NAN), "nan");
}

} // namespace
