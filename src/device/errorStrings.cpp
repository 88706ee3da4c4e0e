#include "device/sendReceive.h"

namespace sendReceive {

const std::array<const char*, 8> miscErrorStrings = {
    "Misc (0): Base amplifier connection failed",   "Misc (1): Tray amplifier connection failed",
    "Misc (2): Flash memory connection failed",     "Misc (3): Left knob connection failed",
    "Misc (4): Right knob connection failed",       "Misc (5): Main handle board connection failed",
    "Misc (6): Hat switch board connection failed", "Misc (7): Index lever board connection failed",
};

const std::array<const char*, 16> lcErrorStrings = {
    "LC (0): Failed to receive YFR load cell value",
    "LC (1): Failed to receive ZFR load cell value",
    "LC (2): Failed to receive YNR load cell value",
    "LC (3): Failed to receive ZNR load cell value",
    "LC (4): Failed to receive YNL load cell value",
    "LC (5): Failed to receive ZNL load cell value",
    "LC (6): Failed to receive YFL load cell value",
    "LC (7): Failed to receive ZFL load cell value",
    "LC (8): Load cell YFR is outside valid range",
    "LC (9): Load cell ZFR is outside valid range",
    "LC (10): Load cell YNR is outside valid range",
    "LC (11): Load cell ZNR is outside valid range",
    "LC (12): Load cell YNL is outside valid range",
    "LC (13): Load cell ZNL is outside valid range",
    "LC (14): Load cell YFL is outside valid range",
    "LC (15): Load cell ZFL is outside valid range",
};

std::string makeErrorString(unsigned int miscErrors, unsigned int lcErrors) {
    if (miscErrors == 0 && lcErrors == 0) {
        return "No errors detected";
    }
    std::string text = "Errors detected:";
    // Bits above the tables are words the firmware does not define; they add no line.
    for (unsigned bit = 0; bit < miscErrorStrings.size(); ++bit) {
        if (miscErrors & (1u << bit)) {
            text += '\n';
            text += miscErrorStrings[bit];
        }
    }
    for (unsigned bit = 0; bit < lcErrorStrings.size(); ++bit) {
        if (lcErrors & (1u << bit)) {
            text += '\n';
            text += lcErrorStrings[bit];
        }
    }
    return text;
}

} // namespace sendReceive
