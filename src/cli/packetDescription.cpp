#include "cli/packetDescription.h"

#include "settings/settingsParser.h"

#include <bit>
#include <charconv>
#include <cstdio>
#include <string>

namespace cli {

namespace {

const char* const axisNames[6] = {"X", "Y", "Z", "pitch", "roll", "yaw"};
const char* const modeNames[3] = {"A", "B", "C"};

// The shortest text that reads back as the same float.
std::string number(float v) {
    char text[40];
    return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

std::string onOff(bool on) {
    return on ? "on" : "off";
}

std::uint32_t payloadInt(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[3]) | static_cast<std::uint32_t>(p[4]) << 8 |
           static_cast<std::uint32_t>(p[5]) << 16 | static_cast<std::uint32_t>(p[6]) << 24;
}

float payloadFloat(const std::uint8_t* p) {
    return std::bit_cast<float>(payloadInt(p));
}

std::uint16_t bigEndian(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint16_t>(high << 8 | low);
}

std::string lowRes(std::uint8_t high, std::uint8_t low) {
    return number(settingsParser::unsignedToLowResFloat(bigEndian(high, low)));
}

// The 12-bit pair of knob positions in bytes 4-6.
void knobPair(const std::uint8_t* p, int& first, int& second) {
    first = p[4] << 4 | p[5] >> 4;
    second = (p[5] & 0x0F) << 8 | p[6];
}

std::string hex32(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", v);
    return text;
}

std::string modeList(std::uint8_t mask) {
    std::string text;
    int count = 0;
    for (int m = 0; m < 3; ++m)
        if (mask & (1u << m)) {
            text += (count++ ? " " : "");
            text += modeNames[m];
        }
    if (count == 0)
        return "no mode";
    return (count == 1 ? "mode " : "modes ") + text;
}

std::string axisList(std::uint8_t mask) {
    std::string text;
    int count = 0;
    for (int a = 0; a < 6; ++a)
        if (mask & (1u << a)) {
            text += (count++ ? " " : "");
            text += axisNames[a];
        }
    if (count == 6)
        return "all axes";
    if (count == 0)
        return "no axis";
    return text;
}

std::string command(const std::uint8_t* p) {
    std::string from = (p[0] & settingsParser::hostBit) ? "" : " (from joystick)";
    switch (p[2]) {
    case 0:
        return "request settings" + from;
    case 1:
        return "start, count " + std::to_string(payloadInt(p)) + from;
    case 2:
        return "clear settings" + from;
    case 3:
        return "retare load cells" + from;
    case 4:
        return "request firmware version" + from;
    case 5:
        return "firmware version " + std::to_string(p[4]) + "." + std::to_string(p[5]) + "." +
               std::to_string(p[6]) + from;
    case 6:
        return "request miscellaneous errors" + from;
    case 7:
        return "miscellaneous errors " + hex32(payloadInt(p)) + from;
    case 8:
        return "request load-cell errors" + from;
    case 9:
        return "load-cell errors " + hex32(payloadInt(p)) + from;
    case 10:
        return "request knob values" + from;
    case 11:
        return "knob values " + std::to_string(bigEndian(p[3], p[4])) + ", " +
               std::to_string(bigEndian(p[5], p[6])) + from;
    case 12:
        return "request button values" + from;
    case 13:
        return "button values " + hex32(payloadInt(p)) + from;
    case 14:
        return "request diagnostic values" + from;
    case 15:
        return "diagnostic value " + std::to_string(p[6]) + from;
    default:
        return "invalid: command " + std::to_string(p[2]);
    }
}

std::string global(const std::uint8_t* p) {
    switch (p[2] & settingsParser::idBits) {
    case 0: {
        std::string text = "basic setup: LED output " + std::to_string(p[5]) +
                           ((p[6] & 2) ? ", high brightness" : ", low brightness");
        if (p[6] & 1)
            text += ", knobs disabled";
        if (p[6] & 4)
            text += ", load cell diagnostic mode";
        if (p[6] & 8)
            text += ", digital output diagnostic mode";
        if (p[6] & 16)
            text += ", right knob for settings";
        return text;
    }
    case 1: {
        int n = p[3] >> 4;
        std::string text = "mode settings: " + std::to_string(n) + (n == 1 ? " mode" : " modes");
        if (p[3] & 1)
            text += ", cycle button";
        if (p[3] & 2)
            text += ", B momentary";
        if (p[3] & 4)
            text += ", C momentary";
        // Buttons of modes not in use travel as 0 and mean nothing.
        int shown = (n == 2 || n == 3) ? n : 1;
        text += shown == 1 ? ", button" : ", buttons";
        for (int b = 0; b < shown; ++b)
            text += " " + std::to_string(p[4 + b]);
        return text;
    }
    default:
        return "invalid: global id " + std::to_string(p[2] & settingsParser::idBits);
    }
}

std::string motor(const char* name, const char* periodName, const std::uint8_t* p) {
    return std::string(name) + " " + onOff(p[3] & 1) + ((p[3] & 2) ? ", high" : ", low") + ", " +
           periodName + " " + std::to_string(p[4]) + ", activation " + lowRes(p[5], p[6]);
}

std::string feature(const std::uint8_t* p) {
    const char* knob = (p[3] & 1) ? "right" : "left";
    int first = 0, second = 0;
    knobPair(p, first, second);
    switch (p[2] & settingsParser::idBits) {
    case 0:
        return std::string(knob) + " knob range " + std::to_string(first) + ".." +
               std::to_string(second) + ((p[3] & 2) ? ", inverted" : "") +
               ((p[3] & 4) ? ", use centre deadzone" : "");
    case 1:
        return std::string(knob) + " knob centre " + std::to_string(first) + ", deadzone end " +
               std::to_string(second);
    case 2:
        return "add knob to axis " + onOff(p[3] & 1) +
               ((p[3] & 2) ? ", right knob" : ", left knob") +
               ((p[3] & 4) ? ", bidirectional" : "") + ((p[3] & 8) ? ", inverted" : "") +
               ", axis " + (p[4] < 6 ? axisNames[p[4]] : std::to_string(p[4])) + ", factor " +
               lowRes(p[5], p[6]);
    case 3: {
        std::string order;
        for (int i = 0; i < 8; ++i)
            order += (i ? " " : "") + std::to_string((p[3 + i / 2] >> (i % 2 ? 0 : 4)) & 0x0F);
        return "reorder axes " + order;
    }
    case 4:
        return std::string("extended buttons: hat switch ") + ((p[5] & 2) ? "disabled" : "on") +
               ", modified buttons " + onOff(p[5] & 1) + ", modifier " + std::to_string(p[6]);
    case 5:
        return "disabled buttons " + hex32(payloadInt(p));
    case 6:
        return "modified buttons " + hex32(payloadInt(p));
    case 7:
        return "toggled buttons " + hex32(payloadInt(p));
    case 8:
        return "autofire " + onOff(p[3] & 1) + ", button " + std::to_string(p[4]) + ", period " +
               std::to_string(bigEndian(p[5], p[6]));
    case 9:
        return "cruise control " + onOff(p[4] & 1) + ((p[4] & 2) ? ", toggle" : ", momentary") +
               ", axes " + axisList(p[5]) + ", button " + std::to_string(p[6]);
    case 10:
        return motor("motor constant", "period", p);
    case 11:
        return motor("motor pulse", "length", p);
    case 12:
        return "motor axes: constant " + axisList(p[5]) + ", pulse " + axisList(p[6]);
    default:
        return "invalid: feature id " + std::to_string(p[2] & settingsParser::idBits);
    }
}

std::string analog(const std::uint8_t* p, bool modeWide) {
    static const char* const modeWideNames[4] = {"base sensitivity", "smoothing", "shift X",
                                                 "shift Y"};
    static const char* const axisAnalogNames[5] = {"sensitivity", "base deadzone",
                                                   "variable deadzone", "curvature", "asymmetry"};
    int id = p[2] & settingsParser::idBits;
    std::string knobValue = (p[2] & settingsParser::knobValueBit) ? " knob value" : "";
    std::string value = number(payloadFloat(p));
    if (modeWide) {
        if (id > 3)
            return "invalid: mode-wide id " + std::to_string(id);
        return modeWideNames[id] + knobValue + " " + value;
    }
    if (id > 4)
        return "invalid: axis id " + std::to_string(id);
    return axisAnalogNames[id] + knobValue + " " + value + ", " + axisList(p[1]);
}

} // namespace

std::string describePacket(const std::uint8_t p[7]) {
    namespace sp = settingsParser;
    if (!(p[0] & (sp::markerBit | sp::hostBit)))
        return "invalid";
    if (p[0] & sp::commandBit)
        return command(p);
    if (p[0] & sp::globalBit)
        return global(p);
    std::string modes = modeList(p[0] & sp::modeMaskBits) + ": ";
    if ((p[1] & sp::digitalBit) && (p[1] & sp::allAxisBit))
        return modes + feature(p);
    if (p[1] & sp::digitalBit)
        return modes + axisList(p[1] & sp::axisMaskBits) + ((p[6] & 1) ? " disabled" : " enabled") +
               ((p[6] & 2) ? ", inverted" : ", not inverted");
    return modes + analog(p, (p[1] & sp::allAxisBit) != 0);
}

std::string packetHex(const std::uint8_t p[7]) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (int k = 0; k < 7; ++k) {
        if (k)
            text += ' ';
        text += digits[p[k] >> 4];
        text += digits[p[k] & 0x0F];
    }
    return text;
}

} // namespace cli
