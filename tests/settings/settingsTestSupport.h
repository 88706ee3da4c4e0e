#pragma once

#include "settings/modifySetting.h"
#include "settings/prebuiltSettings.h"
#include "settings/settings.h"
#include "settings/settingsParser.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

using packet = std::array<std::uint8_t, 7>;

// "E0 00 01 1E 00 00 00" -> bytes.
inline packet hexPacket(const std::string& text) {
    packet p{};
    std::istringstream in(text);
    for (auto& byte : p) {
        unsigned value = 0;
        in >> std::hex >> value;
        byte = static_cast<std::uint8_t>(value);
    }
    return p;
}

inline std::string hexText(const packet& p) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t k = 0; k < p.size(); ++k) {
        if (k) {
            text += ' ';
        }
        text += digits[p[k] >> 4];
        text += digits[p[k] & 0x0F];
    }
    return text;
}

inline packet currentPacket() {
    packet p;
    std::copy(std::begin(settingsParser::data), std::end(settingsParser::data), p.begin());
    return p;
}

inline void loadPacket(const packet& p) {
    std::copy(p.begin(), p.end(), std::begin(settingsParser::data));
}

inline std::vector<std::string> hexTexts(const std::vector<packet>& packets) {
    std::vector<std::string> texts;
    for (const auto& p : packets) {
        texts.push_back(hexText(p));
    }
    return texts;
}

// Runs an output sequence and keeps every packet it hands to the callback.
template <class Sequence> std::vector<packet> collect(Sequence sequence) {
    std::vector<packet> packets;
    sequence([&] {
        packets.push_back(currentPacket());
        return true;
    });
    return packets;
}

inline std::vector<packet> completeBlock(std::uint32_t count = 0) {
    return collect([count](const settingsParser::outputCallback& cb) {
        return settingsParser::buildOutputAll(cb, count);
    });
}

// Every module back to its state at program start.
class settingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings::init();
        prebuiltSettings::reset();
        modifySetting::reset();
        modifySetting::refreshCopiedGroup = nullptr;
        settingsParser::clearParseData();
    }
    void TearDown() override { modifySetting::refreshCopiedGroup = nullptr; }
};
