// The text, number and byte operations, held to their tables and edge cases. Chinese literals
// are code-page-936 bytes in both builds; the byte checks below prove it.
#include "core/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::string Joined(const std::vector<std::string>& pieces) {
    std::string all;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        all += (i == 0 ? "" : "/") + pieces[i];
    }
    return all;
}

TEST(TextEncoding, ChineseLiteralsAreCodePage936Bytes) {
    EXPECT_EQ(ToBytes("上次选择="), (Bytes{0xC9, 0xCF, 0xB4, 0xCE, 0xD1, 0xA1, 0xD4, 0xF1, 0x3D}));
    EXPECT_EQ(ToBytes("内网"), (Bytes{0xC4, 0xDA, 0xCD, 0xF8}));
    EXPECT_EQ(ToBytes("外网"), (Bytes{0xCD, 0xE2, 0xCD, 0xF8}));
    EXPECT_EQ(TextLength("远程唤醒.WOL"), 12);
}

TEST(TextCutting, CountsRawBytes) {
    struct Case {
        const char* name;
        std::string got;
        std::string want;
    } cases[] = {
        {"left 0", TextLeft("abc", 0), ""},
        {"left -5", TextLeft("abc", -5), ""},
        {"left 2", TextLeft("abc", 2), "ab"},
        {"left 10", TextLeft("abc", 10), "abc"},
        {"right 0", TextRight("abc", 0), ""},
        {"right 2", TextRight("abc", 2), "bc"},
        {"right 10", TextRight("abc", 10), "abc"},
        {"mid 3,5", TextMid("abc", 3, 5), "c"},
        {"mid 4,1", TextMid("abc", 4, 1), ""},
        {"mid 0,1", TextMid("abc", 0, 1), ""},
        {"mid 2,0", TextMid("abc", 2, 0), ""},
        {"mid 1,2", TextMid("abc", 1, 2), "ab"},
        // Cutting may split a double-byte character.
        {"mid in a character", TextMid("\xB1\xB2", 2, 1), "\xB2"},
        {"left in a character", TextLeft("内网", 3), "\xC4\xDA\xCD"},
        {"right in a character", TextRight("内网", 1), "\xF8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, c.want);
    }
}

TEST(TextSearching, StepsOverDoubleByteCharacters) {
    struct Case {
        std::string text;
        std::string subtext;
        int first;
        int last;
    } cases[] = {
        {"192.168.1.62", ".", 4, 10},
        {"abcabc", "bc", 2, 5},
        {"abc", "x", -1, -1},
        {"abc", "abcd", -1, -1},
        {"", "a", -1, -1},
        {"", "", -1, -1},
        {"abc", "", 1, 3},
        // B2 is the second byte of the character B1 B2: no match there.
        {"\xB1\xB2", "\xB2", -1, -1},
        // 7C as the second byte of a character is no "|".
        {"\x81\x7C|", "|", 3, 3},
        {"内网|外网", "网", 3, 8},
        // A lead byte at the very end is a character of its own.
        {"a\xB1", "\xB1", 2, 2},
        {"\xB1", "\xB1\xB2", -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " / " + c.subtext);
        EXPECT_EQ(FindText(c.text, c.subtext), c.first);
        EXPECT_EQ(FindTextReverse(c.text, c.subtext), c.last);
    }
}

TEST(TextReplacing, ReplacesEveryOccurrenceAtCharacterStarts) {
    struct Case {
        std::string text, subtext, replacement, want;
    } cases[] = {
        {"1A-2B-3C", "-", "", "1A2B3C"},
        {"aaa", "aa", "b", "ba"},            // matches never overlap
        {"abab", "ab", "abab", "abababab"},  // a replacement is never searched again
        {"", "a", "b", ""},
        {"abc", "", "x", "abc"},
        {"\xB1:a:", ":", "", "\xB1:a"},    // B1 3A is one character; its 3A is not ":"
        {"a:b\xB1", ":", "-", "a-b\xB1"},  // lead byte at the end copied alone
        {"内网内网", "内", "外", "外网外网"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReplaceText(c.text, c.subtext, c.replacement), c.want);
    }
}

TEST(TextSplitting, FollowsTheTrailingDelimiterRule) {
    struct Case {
        std::string text;
        std::string delimiter;
        int count;
        std::string elements;  // joined by "/"
    } cases[] = {
        {"192.168.1.62", ".", 4, "192/168/1/62"},
        {"192.168.1.", ".", 3, "192/168/1"},
        {"1.2.3.4.", ".", 4, "1/2/3/4"},
        {"1..2", ".", 3, "1//2"},
        {".", ".", 1, ""},
        {".1", ".", 2, "/1"},
        {"...", ".", 3, "//"},
        {"", ".", 0, ""},
        {"abc", "", 1, "abc"},
        {"a\r\nb\r\n", "\r\n", 2, "a/b"},
        {"a\r\n\r\nb", "\r\n", 3, "a//b"},
        {"a\nb", "\r\n", 1, "a\nb"},
        {"\x81|x|y", "|", 2, "\x81|x/y"},  // 81 7C is one character, not a delimiter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto pieces = SplitText(c.text, c.delimiter);
        EXPECT_EQ(ListCount(pieces), c.count);
        EXPECT_EQ(Joined(pieces), c.elements);
    }
}

TEST(TextJoiningAndComparing, JoinsInOrderAndComparesUnsignedBytes) {
    EXPECT_EQ(JoinText({"a", "", "b", "c"}), "abc");
    EXPECT_EQ(JoinText({"", ""}), "");
    EXPECT_EQ(CompareText("", ""), 0);
    EXPECT_EQ(CompareText("内网", "内网"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_GT(CompareText("b", "a"), 0);
    EXPECT_GT(CompareText("\xB1", "a"), 0);  // 0xB1 is above 0x61 as an unsigned byte
}

TEST(TextToInteger, ReadsLikeTheFormatTable) {
    struct Case {
        std::string text;
        std::int32_t want;
    } cases[] = {
        {"192", 192},
        {" 42", 42},
        {"-1", -1},
        {"+7", 7},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"0x1F", 0},
        {"１９２", 192},  // full-width digits
        {"2147483648", -2147483647 - 1},
        {"4294967305", 9},
        {" 256", 256},
        {"\t\n\v\f\r 5", 5},
        {"－３", -3},  // full-width minus
        {"＋３", 3},   // full-width plus
        {"\xA1\xA1"
         "7",
         7},               // ideographic space
        {"1\xA1\xAB", 1},  // A1 AB folds to "~", which ends the digits
        {"\xA1\xEE"
         "1",
         0},  // A1 EE folds to "*": not a digit, not a sign
        {"2内网", 2},
        {"- 3", 0},
        {"99999999999", 1215752191},  // wraps around in 32 bits
        {"-2147483648", -2147483647 - 1},
        {"7\xB1", 7},  // lead byte at the end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ToInteger(c.text), c.want);
    }
}

TEST(NumberFormatting, WritesDecimalRealsAndHex) {
    EXPECT_EQ(NumberToText(std::int32_t{-5}), "-5");
    EXPECT_EQ(NumberToText(std::int32_t{0}), "0");
    EXPECT_EQ(NumberToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(NumberToText(std::uint8_t{200}), "200");
    EXPECT_EQ(NumberToText(std::uint8_t{0}), "0");
    EXPECT_EQ(NumberToText(180.0), "180");
    EXPECT_EQ(NumberToText(4.0), "4");
    EXPECT_EQ(NumberToText(12.5), "12.5");
    EXPECT_EQ(NumberToText(1.0 / 3.0), "0.3333333333333");
    EXPECT_EQ(NumberToText(131.25), "131.25");
    EXPECT_EQ(NumberToText(128000 / 1000.0), "128");
    EXPECT_EQ(NumberToText(0.001), "0.001");
    EXPECT_EQ(ToHexText(0), "0");
    EXPECT_EQ(ToHexText(10), "A");
    EXPECT_EQ(ToHexText(255), "FF");
    EXPECT_EQ(ToHexText(-1), "FFFFFFFF");
}

TEST(Bytes, ConvertCutAndCompare) {
    EXPECT_EQ(ToBytes(""), Bytes{});
    EXPECT_EQ(ToBytes("ab"), (Bytes{'a', 'b'}));
    EXPECT_EQ(ToBytes(std::int64_t{0x0102030405060708}), (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(ToBytes(std::int64_t{-1}), Bytes(8, 0xFF));
    EXPECT_EQ(BytesToText(Bytes{'a', 'b', 0, 'c'}), "ab");
    EXPECT_EQ(BytesToText(Bytes{'a', 'b'}), "ab");
    EXPECT_EQ(BytesToText(Bytes{}), "");
    EXPECT_EQ(BytesLength(Bytes{1, 0, 2}), 3);
    EXPECT_EQ(BytesLeft(Bytes{1, 2, 3}, 2), (Bytes{1, 2}));
    EXPECT_EQ(BytesLeft(Bytes{1, 2, 3}, -1), Bytes{});
    EXPECT_EQ(BytesLeft(Bytes{1, 2, 3}, 3), (Bytes{1, 2, 3}));
    EXPECT_EQ(BytesLeft(Bytes{1, 2, 3}, 9), (Bytes{1, 2, 3}));
    EXPECT_TRUE(CompareBytes(Bytes{}, Bytes{}));
    EXPECT_TRUE(CompareBytes(Bytes{0, 1}, Bytes{0, 1}));
    EXPECT_FALSE(CompareBytes(Bytes{0, 1}, Bytes{0}));
    EXPECT_FALSE(CompareBytes(Bytes{0, 1}, Bytes{0, 2}));
}

}  // namespace
