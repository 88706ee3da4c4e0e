#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// The 7-byte packet codec: builders fill the one buffer `data` from the model or with
// a command, the parser applies the buffer to the model, and the output sequences
// walk the model and hand every packet to a callback. Nothing here allocates.
namespace settingsParser {

inline constexpr int packetSize = 7;
// The largest block a settings list, file or transfer may hold.
inline constexpr int maxBlockBytes = 4096;

// The one packet buffer, shared by the codec, the transports and the settings file.
extern std::uint8_t data[packetSize];

// Byte 0.
inline constexpr std::uint8_t markerBit = 0x80;
inline constexpr std::uint8_t commandBit = 0x40;
inline constexpr std::uint8_t hostBit = 0x20;
inline constexpr std::uint8_t globalBit = 0x10;
inline constexpr std::uint8_t modeMaskBits = 0x07;
// Byte 1.
inline constexpr std::uint8_t digitalBit = 0x80;
inline constexpr std::uint8_t allAxisBit = 0x40;
inline constexpr std::uint8_t axisMaskBits = 0x3F;
// Byte 2.
inline constexpr std::uint8_t knobValueBit = 0x80;
inline constexpr std::uint8_t idBits = 0x3F;

// Command codes (byte 2 of a command packet).
enum command : std::uint8_t {
    requestSettingsCommand = 0,
    startSettingsCommand = 1,
    clearSettingsCommand = 2,
    retareLoadCellsCommand = 3,
    requestFirmwareVersionCommand = 4,
    sendFirmwareVersionCommand = 5,
    requestMiscErrorsCommand = 6,
    sendMiscErrorsCommand = 7,
    requestLoadCellErrorsCommand = 8,
    sendLoadCellErrorsCommand = 9,
    requestKnobValuesCommand = 10,
    sendKnobValuesCommand = 11,
    requestButtonValuesCommand = 12,
    sendButtonValuesCommand = 13,
    requestDiagnosticValuesCommand = 14,
    sendDiagnosticValuesCommand = 15,
};

// Results of parseToSettings. Not the command codes plus 4: this is the mapping.
namespace result {
inline constexpr int parsed = 0;
inline constexpr int invalid = 1;
inline constexpr int refused = 2;
inline constexpr int ignored = 3;
inline constexpr int startSettings = 4;            // command 1
inline constexpr int requestSettings = 5;          // command 0
inline constexpr int clearSettings = 6;            // command 2
inline constexpr int retareLoadCells = 7;          // command 3
inline constexpr int requestKnobValues = 8;        // command 10
inline constexpr int knobValues = 9;               // command 11
inline constexpr int requestMiscErrors = 10;       // command 6
inline constexpr int miscErrors = 11;              // command 7
inline constexpr int requestLoadCellErrors = 12;   // command 8
inline constexpr int loadCellErrors = 13;          // command 9
inline constexpr int requestFirmwareVersion = 14;  // command 4
inline constexpr int firmwareVersion = 15;         // command 5
inline constexpr int requestButtonValues = 16;     // command 12
inline constexpr int buttonValues = 17;            // command 13
inline constexpr int requestDiagnosticValues = 18; // command 14
inline constexpr int diagnosticValues = 19;        // command 15
} // namespace result

// Parse result of command code `code` (0-15); result::invalid for any other code.
int commandResult(int code);

// Called once per packet built into `data`; false stops the sequence.
using outputCallback = std::function<bool()>;

// Buffer helpers.
void clearParseData();
std::uint32_t singleBit(int n);
void populateBitsFromFloat(float value); // bytes 3-6, least significant first
void populateBitsFromInt(std::uint32_t value);
std::uint32_t getDataInt(); // bytes 3-6, least significant first
float getDataFloat();       // bytes 3-6 as a float
// Low-resolution float: value x 1000 truncated toward zero, low 16 bits kept.
float unsignedToLowResFloat(std::uint16_t value);
std::uint16_t lowResFloatToUnsigned(float value);
// The count of a start packet when it fits a 4096-byte block (at most 585), else 0.
std::uint32_t parseNumberOfPackets();

// Command builders (0xE0, 0, code, payload).
void buildRequestSettings();
void buildStartSettingsNumberOfPackets(std::uint32_t count);
void buildClearSettings();
void buildRetareLoadCells();
void buildRequestFirmwareVersion();
void buildSendFirmwareVersion(std::uint8_t major, std::uint8_t minor, std::uint8_t patch);
void buildRequestErrorValues(bool loadCellErrors);
void buildSendErrorValues(bool loadCellErrors, std::uint32_t errors);
void buildRequestKnobValues();
void buildSendKnobValues(std::uint16_t first, std::uint16_t second);
void buildRequestButtonValues();
void buildSendButtonValues(std::uint32_t buttons);
void buildRequestDiagnosticValues();
void buildSendDiagnosticValues(std::uint8_t value);

// Setting builders. The per-mode feature packets are built by each feature object's
// build(modeMask).
void buildBasicSetupBits();
void buildModeSettings();
void buildAllAxisAnalog(std::uint8_t modeMask, std::uint8_t id, float value, bool knobBit);
void buildPerAxisAnalog(std::uint8_t modeMask, std::uint8_t axisMask, std::uint8_t id, float value,
                        bool knobBit);
void buildPerAxisDigitalAxisModifiers(std::uint8_t modeMask, std::uint8_t axisMask, bool disabled,
                                      bool inverted);
// Header of a per-mode feature packet (0xA0 | modeMask, 0xC0, classId), payload cleared.
void buildDigitalHeader(std::uint8_t modeMask, std::uint8_t classId);

// Applies or classifies the packet in `data`; returns one of `result`.
int parseToSettings(bool commandsOnly, bool acceptHostPackets);

// Output sequences: each returns false as soon as the callback does, else true.
bool buildOutputSingleModeAllAxisDigital(const outputCallback& callback, int index);
bool buildOutputAllAxisDigital(const outputCallback& callback);
bool buildOutputPerAxisDigital(const outputCallback& callback);
bool buildOutputAllAxisAnalog(const outputCallback& callback);
bool buildOutputPerAxisAnalog(const outputCallback& callback);
// Everything of the complete block after its start packet.
bool buildOutputAllAfterStart(const outputCallback& callback);
// The complete settings block, whose start packet announces `count`.
bool buildOutputAll(const outputCallback& callback, std::uint32_t count);
// The complete block of the model as bytes, its start packet announcing 0 (as a save
// writes it).
std::vector<std::uint8_t> buildBlock();

} // namespace settingsParser
