#include "settingsTestSupport.h"

namespace {

namespace pre = prebuiltSettings;

std::vector<packet> listPackets() {
    std::vector<packet> packets;
    for (std::size_t at = 0; at + 7 <= pre::data.size(); at += 7) {
        packet p;
        std::copy_n(pre::data.begin() + static_cast<std::ptrdiff_t>(at), 7, p.begin());
        packets.push_back(p);
    }
    return packets;
}

TEST_F(settingsTest, PrebuildingTheDefaultsStoresTheThirtyPacketBlock) {
    EXPECT_FALSE(pre::hasData());
    EXPECT_EQ(pre::bytes(), nullptr);
    EXPECT_EQ(pre::settingsCounter::countPackets(), 30);
    EXPECT_EQ(pre::settingsCounter::getValue(), 30);

    EXPECT_EQ(pre::prebuildAllSettings(), 30);
    EXPECT_TRUE(pre::upToDate);
    EXPECT_EQ(pre::size, 210);
    EXPECT_EQ(pre::index, 210);
    EXPECT_EQ(hexTexts(listPackets()), hexTexts(completeBlock(30)));
    EXPECT_EQ(hexText(listPackets()[0]), "E0 00 01 1E 00 00 00");

    // Up to date: the list is not rebuilt, even though the model moved on.
    settings::modes[0].autofire.enabled = true;
    const auto before = pre::data;
    EXPECT_EQ(pre::prebuildAllSettings(), 30);
    EXPECT_EQ(pre::data, before);

    pre::upToDate = false;
    settings::numModes = 3;
    // Mode A's autofire now differs from B and C: one packet more than 46.
    EXPECT_EQ(pre::prebuildAllSettings(), 47);
    EXPECT_EQ(pre::size, 47 * 7);
    EXPECT_EQ(hexTexts(listPackets()), hexTexts(completeBlock(47)));
}

TEST_F(settingsTest, ParsingTheListAppliesEveryWholePacket) {
    settings::modes[0].cruiseControl.enabled = true;
    settings::modes[0].axes[4].sensitivity.set(3.0f);
    settings::numModes = 2;
    pre::prebuildAllSettings();
    const auto block = pre::data;

    settings::init();
    pre::upToDate = false;
    pre::parseAllPrebuilt();
    EXPECT_TRUE(pre::upToDate);
    EXPECT_EQ(pre::index, pre::size);
    EXPECT_EQ(settings::numModes, 2);
    EXPECT_TRUE(settings::modes[0].cruiseControl.enabled);
    EXPECT_EQ(settings::modes[0].axes[4].sensitivity.value, 3.0f);

    pre::upToDate = false;
    EXPECT_EQ(pre::prebuildAllSettings(), static_cast<std::int32_t>(block.size() / 7));
    EXPECT_EQ(pre::data, block);
}

TEST_F(settingsTest, ParsingIgnoresTrailingBytesAndNeedsAList) {
    pre::parseAllPrebuilt(); // no list: nothing happens
    EXPECT_FALSE(pre::upToDate);

    pre::clearAllocateStart(13);
    const packet autofireOn = hexPacket("A1 C0 08 01 04 00 14");
    std::copy(autofireOn.begin(), autofireOn.end(), pre::data.begin());
    // The last six bytes hold most of a packet that would disable axis X.
    const packet partial = hexPacket("A1 81 00 00 00 00 01");
    std::copy_n(partial.begin(), 6, pre::data.begin() + 7);
    pre::parseAllPrebuilt();
    EXPECT_TRUE(settings::modes[0].autofire.enabled);
    EXPECT_EQ(settings::modes[0].autofire.period, 20);
    EXPECT_FALSE(settings::modes[0].axes[0].disabled);
    EXPECT_EQ(pre::index, 7);
    EXPECT_TRUE(pre::upToDate);

    pre::clearAllocateStart(0);
    pre::parseAllPrebuilt();
    EXPECT_TRUE(pre::upToDate);
}

TEST_F(settingsTest, ListBuildingNeverWritesPastTheEnd) {
    EXPECT_FALSE(pre::setNextFromParser());
    EXPECT_FALSE(pre::setParser());

    pre::clearAllocateStart(10);
    settingsParser::buildSendFirmwareVersion(1, 2, 3);
    EXPECT_TRUE(pre::setNextFromParser());
    EXPECT_EQ(pre::index, 7);
    EXPECT_TRUE(pre::end()); // 7 + 6 >= 10

    // Three bytes fit at size - 3; the index still moves on by a whole packet.
    settingsParser::buildSendKnobValues(0x1122, 0x3344);
    EXPECT_TRUE(pre::setNextFromParser());
    EXPECT_EQ(pre::index, 14);
    EXPECT_EQ(pre::data, (std::vector<std::uint8_t>{0xE0, 0, 5, 0, 1, 2, 3, 0xE0, 0, 0x0B}));
    EXPECT_TRUE(pre::setNextFromParser());
    EXPECT_EQ(pre::data.size(), 10u);

    // Reading back: whole packet, partial packet (rest of the buffer left), past the end.
    pre::startIndex();
    EXPECT_FALSE(pre::end());
    settingsParser::clearParseData();
    EXPECT_TRUE(pre::setParser());
    EXPECT_EQ(hexText(currentPacket()), "E0 00 05 00 01 02 03");
    EXPECT_EQ(pre::index, 0);
    pre::increment();
    std::fill(std::begin(settingsParser::data), std::end(settingsParser::data), 0x99);
    EXPECT_TRUE(pre::setParser());
    EXPECT_EQ(hexText(currentPacket()), "E0 00 0B 99 99 99 99");
    pre::increment();
    EXPECT_TRUE(pre::setParser());
    EXPECT_EQ(hexText(currentPacket()), "E0 00 0B 99 99 99 99");
}

TEST_F(settingsTest, ListSizeIsHeldToFourKilobytes) {
    pre::index = 21;
    pre::upToDate = true;
    pre::clearAllocateStart(5000);
    EXPECT_EQ(pre::size, 4096);
    EXPECT_EQ(pre::data.size(), 4096u);
    EXPECT_EQ(pre::index, 0);
    EXPECT_FALSE(pre::upToDate);

    pre::allocate(-5);
    EXPECT_EQ(pre::size, 0);
    EXPECT_TRUE(pre::hasData());

    // clear() drops the list but leaves size and index.
    pre::clearAllocateStart(70);
    pre::index = 14;
    pre::upToDate = true;
    pre::clear();
    EXPECT_FALSE(pre::hasData());
    EXPECT_FALSE(pre::upToDate);
    EXPECT_EQ(pre::size, 70);
    EXPECT_EQ(pre::index, 14);
    EXPECT_FALSE(pre::setParser());
    EXPECT_FALSE(pre::setNextFromParser());
    EXPECT_EQ(pre::index, 14);
}

} // namespace
