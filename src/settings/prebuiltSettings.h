#pragma once

#include <cstdint>
#include <vector>

// One complete settings block kept as 7-byte packets back to back: what the serial
// send writes and compares with the echo, and where the serial receive lands.
namespace prebuiltSettings {

inline constexpr int maxSize = 4096;

// The packets. Meaningful only while hasData() is true (an allocated list may also
// be empty); `size` is the list's length in bytes and is left alone by clear().
extern std::vector<std::uint8_t> data;
extern std::int32_t size;
extern std::int32_t index; // byte position of the next packet to read or write
extern bool upToDate;      // the list holds the block of the current settings

bool hasData();
// The list's bytes, nullptr when there is none.
std::uint8_t* bytes();

// Replaces the list with `n` zero bytes (held to 0-4096); index and upToDate unchanged.
void allocate(std::int32_t n);
// Drops the list; upToDate = false; size and index unchanged.
void clear();
// A fresh list of n bytes (at most 4096): upToDate = false, index = 0.
void clearAllocateStart(std::int32_t n);
void startIndex();
void increment();
// True when no whole packet remains at index.
bool end();
// Copies the packet at index into settingsParser::data (only the bytes that exist).
bool setParser();
// Stores settingsParser::data at index (only the bytes that fit), index += 7.
bool setNextFromParser();
// Number of packets of the current block; rebuilds the list unless it is up to date.
std::int32_t prebuildAllSettings();
// Parses every whole packet of the list into the model; upToDate = true.
void parseAllPrebuilt();
// Back to the state at program start: no list, size = index = 0, counter 0.
void reset();

namespace settingsCounter {
extern std::int32_t value;
void reset();
std::int32_t getValue();
bool increment();
// Packets of the complete block, the start packet included.
std::int32_t countPackets();
} // namespace settingsCounter

} // namespace prebuiltSettings
