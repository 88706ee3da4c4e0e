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
    // Spelt out: the texts are what the user reads and reports back.
    const char* expected = "Errors detected:"
                           "\nMisc (0): Base amplifier connection failed"
                           "\nMisc (1): Tray amplifier connection failed"
                           "\nMisc (2): Flash memory connection failed"
                           "\nMisc (3): Left knob connection failed"
                           "\nMisc (4): Right knob connection failed"
                           "\nMisc (5): Main handle board connection failed"
                           "\nMisc (6): Hat switch board connection failed"
                           "\nMisc (7): Index lever board connection failed"
                           "\nLC (0): Failed to receive YFR load cell value"
                           "\nLC (1): Failed to receive ZFR load cell value"
                           "\nLC (2): Failed to receive YNR load cell value"
                           "\nLC (3): Failed to receive ZNR load cell value"
                           "\nLC (4): Failed to receive YNL load cell value"
                           "\nLC (5): Failed to receive ZNL load cell value"
                           "\nLC (6): Failed to receive YFL load cell value"
                           "\nLC (7): Failed to receive ZFL load cell value"
                           "\nLC (8): Load cell YFR is outside valid range"
                           "\nLC (9): Load cell ZFR is outside valid range"
                           "\nLC (10): Load cell YNR is outside valid range"
                           "\nLC (11): Load cell ZNR is outside valid range"
                           "\nLC (12): Load cell YNL is outside valid range"
                           "\nLC (13): Load cell ZNL is outside valid range"
                           "\nLC (14): Load cell YFL is outside valid range"
                           "\nLC (15): Load cell ZFL is outside valid range";
    EXPECT_EQ(sendReceive::makeErrorString(0xFFFFFFFFu, 0xFFFFFFFFu), expected);
}

} // namespace
