// MAC text parsing and the magic packet. Runs natively and under Wine, where each pair goes through
// the shell's own StrToIntExA.
#include "wol/magic_packet.h"

#include <gtest/gtest.h>

namespace {

const MacAddress kDefaultMac{0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F};

std::string Hex(const MacAddress& mac) {
    std::string text;
    for (const std::uint8_t byte : mac) {
        text += (text.empty() ? "" : " ") + ToHexText(byte);
    }
    return text;
}

TEST(ParseMacText, AcceptsExactlyTwelveBytesOnceTheSeparatorsAreGone) {
    struct Case {
        const char* name;
        std::string text;
        bool parses;
        MacAddress mac;
    } cases[] = {
        {"dashes", "1A-2B-3C-4D-5E-6F", true, kDefaultMac},
        {"colons, lower case", "1a:2b:3c:4d:5e:6f", true, kDefaultMac},
        {"no separators", "1A2B3C4D5E6F", true, kDefaultMac},
        {"separators mixed or missing", "1A-2B:3C4D-5E6F", true, kDefaultMac},
        {"separators in odd places", "1A2-B3C-4D5E6F", true, kDefaultMac},
        {"separators before, between and after", "-:1A-2B3C::4D5E6F-:", true, kDefaultMac},
        {"either case", "aAbBcCdDeEfF", true, {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}},
        {"extremes", "00-ff-00-FF-09-90", true, {0x00, 0xFF, 0x00, 0xFF, 0x09, 0x90}},
        {"blanks count", "1A 2B 3C 4D 5E 6F", false, {}},
        {"dots are no separators", "1A.2B.3C.4D.5E.6F", false, {}},
        {"six bytes remain", "1-2-3-4-5-6", false, {}},
        {"one leading blank", " 1A2B3C4D5E6F", false, {}},
        {"eleven bytes", "1A2B3C4D5E6", false, {}},
        {"thirteen bytes", "1A2B3C4D5E6F7", false, {}},
        {"empty", "", false, {}},
        {"separators only", ":-:-::--", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MacAddress mac{};
        EXPECT_EQ(ParseMacText(c.text, mac), c.parses);
        if (c.parses) {
            EXPECT_EQ(Hex(mac), Hex(c.mac));
        }
    }
}

// A pair that is not two hexadecimal digits is not an error. It gives what the conversion leaves
// in its one variable: the leading hexadecimal digit alone, or, when there is none, the previous
// pair's value (0 before the first pair).
TEST(ParseMacText, PairsThatAreNotHexadecimalStillGiveSixBytes) {
    struct Case {
        const char* name;
        std::string text;
        MacAddress mac;
    } cases[] = {
        {"first pair has no digit", "ZZ2B3C4D5E6F", {0x00, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F}},
        {"a later pair keeps the previous value", "1AZZ3C4D5E6F", {0x1A, 0x1A, 0x3C, 0x4D, 0x5E, 0x6F}},
        {"two in a row", "1AZZ..4D5E6F", {0x1A, 0x1A, 0x1A, 0x4D, 0x5E, 0x6F}},
        {"only the first digit", "1G2B3C4D5E6F", {0x01, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F}},
        {"a blank starts a pair", "1A 2B3C4D5E6", {0x1A, 0x1A, 0xB3, 0xC4, 0xD5, 0xE6}},
        {"a blank ends a pair", "1A2 B3C4D5E6", {0x1A, 0x02, 0xB3, 0xC4, 0xD5, 0xE6}},
        {"no sign", "1A+2B3C4D5E6", {0x1A, 0x1A, 0xB3, 0xC4, 0xD5, 0xE6}},
        // Full-width characters are two bytes each: six of them pass the length test.
        {"six full-width characters",
         "\xA3\xB1\xA3\xC1\xA3\xB2\xA3\xC2\xA3\xB3\xA3\xC3",  // １Ａ２Ｂ３Ｃ
         {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {"full-width after a pair",
         "1A\xA3\xB2\xA3\xC2"
         "3C4D5E",  // 1A２Ｂ3C4D5E
         {0x1A, 0x1A, 0x1A, 0x3C, 0x4D, 0x5E}},
        {"a character split between two pairs",
         "1\xA3\xB1"
         "B3C4D5E6F",  // 1１B3C4D5E6F
         {0x01, 0x01, 0x3C, 0x4D, 0x5E, 0x6F}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MacAddress mac{};
        ASSERT_TRUE(ParseMacText(c.text, mac));
        EXPECT_EQ(Hex(mac), Hex(c.mac));
    }
}

TEST(ParseMacText, TheLengthTestCountsBytes) {
    struct Case {
        const char* name;
        std::string text;
        bool parses;
    } cases[] = {
        {"six double-byte characters", "内网内网内网", true},
        {"five double-byte characters and two digits", "内网内网内1A", true},
        {"five and a half", "内网内网内1", false},
        {"six and one", "内网内网内网1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MacAddress mac{};
        EXPECT_EQ(ParseMacText(c.text, mac), c.parses);
    }
}

TEST(MagicPacket, IsSixFFThenTheMacSixteenTimes) {
    const Bytes packet = MagicPacketFromText("1A-2B-3C-4D-5E-6F");
    ASSERT_EQ(BytesLength(packet), kMagicPacketLength);
    Bytes expected(6, 0xFF);
    for (int copy = 0; copy < 16; ++copy) {
        expected.insert(expected.end(), {0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0x6F});
    }
    EXPECT_EQ(packet, expected);

    // FF and 00 in the MAC itself change nothing of the layout.
    const Bytes edges = BuildMagicPacket({0xFF, 0x00, 0xFF, 0x00, 0x01, 0xFE});
    ASSERT_EQ(BytesLength(edges), kMagicPacketLength);
    EXPECT_EQ(BytesLeft(edges, 12), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0x01, 0xFE}));
    EXPECT_EQ(Bytes(edges.end() - 6, edges.end()), (Bytes{0xFF, 0x00, 0xFF, 0x00, 0x01, 0xFE}));
}

TEST(MagicPacket, ATextThatGivesNoMacGivesNoBytes) {
    for (const char* text : {"", "1A:2B:3C:4D:5E", "1A 2B 3C 4D 5E 6F", "::::"}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(CompareBytes(MagicPacketFromText(text), Bytes{}));
    }
}

}  // namespace
