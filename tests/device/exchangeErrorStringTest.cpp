#include "device/sendReceive.h"

#include <gtest/gtest.h>

namespace {

TEST(makeErrorString, listsEverySetBitInAscendingOrderAndNothingAboveTheTables) {
    struct row {
        unsigned misc, lc;
        const char* expected;
    };
    const row rows[] = {
        {0, 0, "No errors detected"},
        {1, 0x8000,
         "Errors detected:\nMisc (0): Base amplifier connection failed\n"
         "LC (15): Load cell ZFL is outside valid range"},
        {0x100, 0, "Errors detected:"},
        {0, 0x10000, "Errors detected:"},
        {0x81, 0x0101,
         "Errors detected:\nMisc (0): Base amplifier connection failed\n"
         "Misc (7): Index lever board connection failed\n"
         "LC (0): Failed to receive YFR load cell value\n"
         "LC (8): Load cell YFR is outside valid range"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << r.misc << " " << r.lc);
        EXPECT_EQ(sendReceive::makeErrorString(r.misc, r.lc), r.expected);
    }
}

TEST(makeErrorString, allBitsSetNamesAllTwentyFourErrors) {
    const std::string text = sendReceive::makeErrorString(0xFFFFFFFFu, 0xFFFFFFFFu);
    std::string expected = "Errors detected:";
    for (const char* line : sendReceive::miscErrorStrings) {
        expected += std::string("\n") + line;
    }
    for (const char* line : sendReceive::lcErrorStrings) {
        expected += std::string("\n") + line;
    }
    EXPECT_EQ(text, expected);
    EXPECT_EQ(sendReceive::miscErrorStrings[5],
              std::string("Misc (5): Main handle board connection failed"));
    EXPECT_EQ(sendReceive::lcErrorStrings[6],
              std::string("LC (6): Failed to receive YFL load cell value"));
    EXPECT_EQ(sendReceive::lcErrorStrings[13],
              std::string("LC (13): Load cell ZNL is outside valid range"));
}

} // namespace
