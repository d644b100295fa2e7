// Number texts: our own implementation against the rules of StrToIntExA with STIF_SUPPORT_HEX.
// Every case runs against both functions; under Wine ConvertNumberText is the real StrToIntExA, so
// a drift between the two shows up here.
#include "wol/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What a failed conversion must leave untouched.
constexpr std::int32_t kUntouched = 0x5A5A5A5A;

struct Converter {
    const char* name;
    bool (*convert)(const std::string&, std::int32_t&);
};

constexpr Converter kConverters[] = {
    {"ConvertNumberText", ConvertNumberText},
    {"PortableNumberText", PortableNumberText},
};

struct Outcome {
    bool converts;
    std::int32_t value;
    bool operator==(const Outcome&) const = default;
};

Outcome Convert(const Converter& converter, const std::string& text) {
    std::int32_t value = kUntouched;
    const bool converts = converter.convert(text, value);
    return {converts, value};
}

std::string Shown(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x21 && byte < 0x7F) {
            shown += c;
        } else {
            shown += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
        }
    }
    return shown;
}

TEST(NumberText, FollowsTheShellRules) {
    const Outcome fails{false, kUntouched};
    struct Case {
        std::string text;
        Outcome outcome;
    } cases[] = {
        // Hexadecimal pairs as the MAC parser hands them over, both cases.
        {"0x1A", {true, 0x1A}},
        {"0x1a", {true, 0x1A}},
        {"0XfF", {true, 0xFF}},
        {"0x00", {true, 0}},
        // Pairs that are not two hexadecimal digits.
        {"0x1G", {true, 1}},
        {"0xG1", fails},
        {"0xZZ", fails},
        {"0x 1", fails},
        {"0x1 ", {true, 1}},
        {"0x.1", fails},
        {"0x", fails},
        {"0x0x", {true, 0}},
        // Full-width forms (code page 936) are no digits, blanks or signs.
        {"0x\xA3\xB1", fails},          // １
        {"0x\xA3\xC1\xA3\xC2", fails},  // ＡＢ
        {"0x1\xA3\xB1", {true, 1}},     // 1１
        {"\xA3\xB1", fails},            // １
        {"\xA1\xA1"
         "5",
         fails},  // full-width blank, then 5
        {"\xA3\xAD"
         "5",
         fails},  // full-width minus
        // Blanks and signs in front.
        {" 0x1A", {true, 0x1A}},
        {" \t\n0x1A", {true, 0x1A}},
        {"-0x1A", {true, 0x1A}},  // no sign for a hexadecimal number
        {"+0x1A", {true, 0x1A}},
        {"-0xFFFFFFFF", {true, -1}},
        {"\r5", fails},
        {"\v5", fails},
        {"\f5", fails},
        {"  -12", {true, -12}},
        {"+5", {true, 5}},
        {"--5", fails},
        {"+-5", fails},
        {"- 5", fails},
        // Decimal numbers and where they end.
        {"", fails},
        {"x1", fails},
        {"0", {true, 0}},
        {"-0", {true, 0}},
        {"12abc", {true, 12}},
        {"1 2", {true, 1}},
        {"00x1A", {true, 0}},
        // Only the low 32 bits are kept.
        {"0x123456789", {true, 0x23456789}},
        {"0x80000000", {true, INT32_MIN}},
        {"0x100000000", {true, 0}},
        {"0xFFFFFFFFFFFFFFFFFFFF", {true, -1}},
        {"2147483647", {true, INT32_MAX}},
        {"2147483648", {true, INT32_MIN}},
        {"4294967296", {true, 0}},
        {"-2147483649", {true, INT32_MAX}},
        {"99999999999999999999", {true, 1661992959}},
        // The text ends at a zero byte.
        {std::string("0x1\0"
                     "2",
                     5),
         {true, 1}},
        {std::string("\0"
                     "5",
                     2),
         fails},
    };
    for (const Converter& converter : kConverters) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(converter.name) + " of \"" + Shown(c.text) + "\"");
            const Outcome got = Convert(converter, c.text);
            EXPECT_EQ(got.converts, c.outcome.converts);
            EXPECT_EQ(got.value, c.outcome.value);
        }
    }
}

// Every pair of ASCII bytes after "0x" (a second byte of 0: a one-byte pair), and every ASCII byte
// in front of a number: both functions give the same outcome.
TEST(NumberText, BothAgreeOnEveryAsciiPairAndLeadingByte) {
    int mismatches = 0;
    const auto compare = [&](const std::string& text) {
        const Outcome platform = Convert(kConverters[0], text);
        const Outcome portable = Convert(kConverters[1], text);
        if (!(platform == portable) && ++mismatches <= 10) {
            ADD_FAILURE() << "\"" << Shown(text) << "\": " << platform.converts << "/" << platform.value
                          << " from the platform, " << portable.converts << "/" << portable.value << " from ours";
        }
    };
    for (int first = 1; first < 0x80; ++first) {
        for (int second = 0; second < 0x80; ++second) {
            std::string text = "0x";
            text += static_cast<char>(first);
            if (second != 0) {
                text += static_cast<char>(second);
            }
            compare(text);
        }
        for (const char* number : {"5", "-5", "0x1A"}) {
            compare(static_cast<char>(first) + std::string(number));
            compare("-" + std::string(1, static_cast<char>(first)) + number);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
