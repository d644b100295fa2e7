// The scanner's address and MAC texts: the conversions both ways, the canonical-text round trip,
// the MAC text and the cut of long host names.
#include "scan/address.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr std::int64_t Number(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    return a * 16777216 + b * 65536 + c * 256 + d;
}

TEST(AddressTextToNumber, ReadsFourPartsWithCarry) {
    struct Case {
        const char* text;
        std::int64_t want;
    } cases[] = {
        {"192.168.1.5", Number(192, 168, 1, 5)},
        {"192.168.300.5", Number(192, 169, 44, 5)},  // 300 carries into the byte above
        {"10.0.0.1.7", Number(10, 0, 0, 1)},         // parts after the fourth are ignored
        {"192.168.15", -1},
        {"192.168.1.", -1},  // a trailing "." makes no empty fourth part
        {"", -1},
        {"0.0.0.0", 0},
        {"255.255.255.255", Number(255, 255, 255, 255)},
        {"1..2.3", Number(1, 0, 2, 3)},  // an empty part counts as 0
        {"a.b.c.d", 0},
        {"-1.0.0.0", -16777216},
        {"192.168.1.5abc", Number(192, 168, 1, 5)},
        // Far beyond what a double holds exactly: no overflow, and the same sum on every platform.
        {"2147483647.2147483647.2147483647.2147483647", 36170086393773823},
        {"-2147483648.-2147483648.-2147483648.-2147483648", -36170086410616832},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(AddressTextToNumber(c.text), c.want);
    }
}

TEST(AddressNumberToText, WritesTheLowThirtyTwoBits) {
    struct Case {
        const char* name;
        std::int64_t number;
        const char* want;
    } cases[] = {
        {"-1", -1, "255.255.255.255"},
        {"0", 0, "0.0.0.0"},
        {"positive 64-bit", Number(192, 168, 1, 5), "192.168.1.5"},
        {"negative 32-bit", Number(192, 168, 1, 5) - 4294967296, "192.168.1.5"},
        {"high bits set", 0x70000000'0A000001, "10.0.0.1"},
        {"64-bit minimum", std::numeric_limits<std::int64_t>::min(), "0.0.0.0"},
        {"last byte 0", Number(10, 77, 0, 0), "10.77.0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AddressNumberToText(c.number), c.want);
    }
}

TEST(AddressNumberToText, GivesBackOnlyCanonicalTexts) {
    struct Case {
        const char* text;
        bool canonical;
    } cases[] = {
        {"192.168.1.5", true},    {"0.0.0.0", true},        {"255.255.255.255", true}, {"192.168.01.5", false},
        {"192.168.1.5.9", false}, {"192.168.300.5", false}, {" 192.168.1.5", false},   {"192.168.1.", false},
        {"192.168.1.5 ", false},  {"+192.168.1.5", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(AddressNumberToText(AddressTextToNumber(c.text)) == c.text, c.canonical);
    }
}

TEST(MacBytesToText, TwoUpperCaseDigitsPerByte) {
    const std::uint8_t mixed[6] = {0x00, 0x1A, 0x2B, 0x0C, 0xD4, 0xFF};
    const std::uint8_t zero[6] = {};
    const std::uint8_t full[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(MacBytesToText(mixed), "00:1A:2B:0C:D4:FF");
    EXPECT_EQ(MacBytesToText(zero), "00:00:00:00:00:00");
    EXPECT_EQ(MacBytesToText(full), "FF:FF:FF:FF:FF:FF");
}

TEST(HostNameWithinLimit, CutsAtTwoHundredFiftyFiveBytesWithoutSplittingACharacter) {
    const std::string chinese = "中";  // two bytes
    struct Case {
        const char* name;
        std::string given;
        std::string want;
    } cases[] = {
        {"short", "alpha.lab", "alpha.lab"},
        {"empty", "", ""},
        {"exactly 255", std::string(255, 'x'), std::string(255, 'x')},
        {"256", std::string(256, 'x'), std::string(255, 'x')},
        {"300", std::string(300, 'x'), std::string(255, 'x')},
        {"two-byte character across the limit", std::string(254, 'a') + chinese, std::string(254, 'a')},
        {"two-byte character ending at the limit", std::string(253, 'a') + chinese + "b",
         std::string(253, 'a') + chinese},
        {"lead bytes only", std::string(300, '\xFF'), std::string(254, '\xFF')},
        {"short name keeps a lone lead byte", "name\x81", "name\x81"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HostNameWithinLimit(c.given), c.want);
    }
}

}  // namespace
