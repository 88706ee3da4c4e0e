#include "FlashRig.h"

#include "firmwareuploader/FlashFactory.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using flashrig::bench;
using flashrig::chipKind;

TEST(flashFactory, holdsEightyOneIdentifiersInFortyOneRowsWithExactLookup) {
    auto parts = FlashFactory::parts();
    EXPECT_EQ(parts.size(), 41u);
    std::set<std::uint32_t> ids;
    std::size_t count = 0;
    for (const auto& part : parts) {
        for (std::uint32_t id : part.ids) {
            ++count;
            ids.insert(id);
            EXPECT_EQ(FlashFactory::find(id), &part) << std::hex << id;
        }
    }
    EXPECT_EQ(count, 81u);
    EXPECT_EQ(ids.size(), 81u);

    struct expectation {
        std::uint32_t id;
        const char* name; // null: no row
    };
    const expectation cases[] = {
        {0x10010005, "ATSAMD21G18A"}, {0x10010000, "ATSAMD21J18A"}, {0x10010001, nullptr},
        {0x10010305, nullptr},        {0x288B07E0, "ATSAM4S2"},     {0x288B07E1, "ATSAM4S2"},
        {0x288B07E2, nullptr},        {0x28000960, "ATSAM3U4"},     {0x28000961, nullptr},
        {0x285E0A60, "ATSAM3X8"},     {0x275A0740, "AT91SAMX128"},  {0x271C0A40, "AT91SAMXC512"},
        {0x329AA3A0, "ATSAM9XE512"},  {0x00000000, nullptr},        {0xFFFFFFFF, nullptr},
    };
    for (const auto& c : cases) {
        const FlashFactory::Part* part = FlashFactory::find(c.id);
        if (c.name) {
            ASSERT_NE(part, nullptr) << std::hex << c.id;
            EXPECT_STREQ(part->name, c.name);
        } else {
            EXPECT_EQ(part, nullptr) << std::hex << c.id;
        }
    }
}

// A target on which every controller of the table reports ready, so each row's
// driver can be built against it.
void makeEveryControllerReady(sim::TargetMemory& target) {
    for (std::uint32_t status : {0xFFFFFF68u, 0xFFFFFF78u, 0x400E0808u, 0x400E0A08u,
                                 0x400E0A08u + 0x200u, 0x400E0808u + 0x200u, 0xFFFFFA08u})
        target.pokeWord(status, 1);
}

TEST(flashFactory, buildsEveryRowButTheTwoWithTooManyLockRegions) {
    bench b(chipKind::nvm, {.createDriver = false});
    makeEveryControllerReady(b.target);
    FlashFactory factory;
    for (const auto& part : FlashFactory::parts()) {
        SCOPED_TRACE(part.name);
        const std::string name = part.name;
        if (name == "ATSAM4S8" || name == "ATSAM4S16") {
            const std::size_t before = b.mark();
            EXPECT_THROW(factory.create(b.samba, *part.ids.begin()), FlashGeometryError);
            EXPECT_TRUE(b.traffic(before).empty());
            continue;
        }
        for (std::uint32_t id : part.ids) {
            Flash::Ptr flash = factory.create(b.samba, id);
            ASSERT_TRUE(flash);
            EXPECT_EQ(flash->name(), name);
            EXPECT_EQ(flash->address(), part.addr);
            EXPECT_EQ(flash->pageSize(), part.size);
            EXPECT_EQ(flash->numPlanes(), part.planes);
            EXPECT_EQ(flash->lockRegions(), part.lockRegions);
            EXPECT_EQ(flash->numPages(),
                      part.driver == FlashFactory::Driver::nvm ? part.pages - 128 : part.pages);
            EXPECT_EQ(flash->currentPageBuffer(), part.user + 0x1000);
            EXPECT_EQ(flash->canBootFlash(), part.driver != FlashFactory::Driver::efc || part.flag);
        }
    }
    try {
        factory.create(b.samba, 0x288C0CE0);
    } catch (const FlashGeometryError& error) {
        EXPECT_STREQ(error.what(), "Unsupported flash geometry: lockRegions <= 32 does not hold "
                                   "(firmwareuploader/EefcFlash)");
    }
}

TEST(flashFactory, uploadsTheAppletWithItsWordCountAndStack) {
    bench b(chipKind::nvm);
    b.mark(); // the stack word is written without an answer
    const std::uint8_t code[] = {0x09, 0x48, 0x0a, 0x49, 0x0a, 0x4a, 0x02, 0xe0, 0x08, 0xc9, 0x08,
                                 0xc0, 0x01, 0x3a, 0x00, 0x2a, 0xfa, 0xd1, 0x04, 0x48, 0x00, 0x28,
                                 0x01, 0xd1, 0x01, 0x48, 0x85, 0x46, 0x70, 0x47, 0xc0, 0x46};
    for (std::uint32_t i = 0; i < sizeof code; ++i)
        EXPECT_EQ(b.target.peekByte(0x20004000 + i), code[i]) << i;
    EXPECT_EQ(b.target.peekWord(0x20004020), 0x20008000u); // stack
    EXPECT_EQ(b.target.peekWord(0x20004030), 16u);         // words per 64-byte page
}

TEST(flashFactory, anUnknownIdentifierGivesNoDriverAndNoTraffic) {
    bench b(chipKind::nvm, {.createDriver = false});
    const std::size_t before = b.mark();
    EXPECT_EQ(FlashFactory().create(b.samba, 0x10010001), nullptr);
    EXPECT_TRUE(b.traffic(before).empty());
}

TEST(flashFactory, unsupportedMessageShowsTheIdentifierInSignedDecimal) {
    EXPECT_EQ(FlashFactory::unsupportedMessage(0x28000961),
              "Flash for chip ID 671091041 is not supported\n");
    EXPECT_EQ(FlashFactory::unsupportedMessage(0x80000000),
              "Flash for chip ID -2147483648 is not supported\n");
    EXPECT_EQ(FlashFactory::unsupportedMessage(0xFFFFFFFF),
              "Flash for chip ID -1 is not supported\n");
}

} // namespace
