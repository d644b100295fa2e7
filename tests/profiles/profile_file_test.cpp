// The wol.ini format: the worked example byte for byte, the reading rules' edge cases, agreement
// with the plain SplitText reading on arbitrary bytes, the fixed point of writing what was read,
// and a file in a folder whose name code page 936 cannot hold.
#include "profiles/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/files.h"
#include "core/text.h"
#include "tests/profiles/profile_print.h"

namespace {

using Profiles = std::vector<WakeProfile>;

const WakeProfile kEmpty{};

// Two profiles, the second selected, as the file stores them: 89 bytes.
const Profiles kExampleProfiles = {
    {"配置1", "内网", "1A-2B-3C-4D-5E-6F", "", ""},
    {"配置2", "外网", "00-1D-60-AB-CD-EF", "203.0.113.10", "9"},
};
const Bytes kExampleBytes = {
    0xC5, 0xE4, 0xD6, 0xC3, 0x31, 0x3D, 0xC4, 0xDA, 0xCD, 0xF8, 0x7C, 0x31, 0x41, 0x2D, 0x32, 0x42,  //
    0x2D, 0x33, 0x43, 0x2D, 0x34, 0x44, 0x2D, 0x35, 0x45, 0x2D, 0x36, 0x46, 0x7C, 0x7C, 0x0D, 0x0A,  //
    0xC5, 0xE4, 0xD6, 0xC3, 0x32, 0x3D, 0xCD, 0xE2, 0xCD, 0xF8, 0x7C, 0x30, 0x30, 0x2D, 0x31, 0x44,  //
    0x2D, 0x36, 0x30, 0x2D, 0x41, 0x42, 0x2D, 0x43, 0x44, 0x2D, 0x45, 0x46, 0x7C, 0x32, 0x30, 0x33,  //
    0x2E, 0x30, 0x2E, 0x31, 0x31, 0x33, 0x2E, 0x31, 0x30, 0x7C, 0x39, 0x0D, 0x0A, 0xC9, 0xCF, 0xB4,  //
    0xCE, 0xD1, 0xA1, 0xD4, 0xF1, 0x3D, 0x32, 0x0D, 0x0A,
};

std::string_view AsText(const Bytes& bytes) {
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// The reading rules done the plain way, with the whole lists SplitText gives: what the reader must
// agree with on any bytes.
ProfileFileContent ReadThePlainWay(std::string_view bytes) {
    const std::string text = BytesToText(ToBytes(bytes));
    ProfileFileContent content;
    for (const std::string& line : SplitText(text, "\r\n")) {
        if (FindText(line, "上次选择") != -1) {
            content.HasLastSelection = true;
            content.LastSelection = ToInteger(TextRight(line, TextLength(line) - 9));
            continue;
        }
        const std::int32_t equals = FindText(line, "=");
        const std::string name = equals == -1 ? "" : TextLeft(line, equals - 1);
        const std::string fields = equals == -1 ? line : TextMid(line, equals + 1, TextLength(line));
        const std::vector<std::string> pieces = SplitText(fields, "|");
        WakeProfile profile;
        if (ListCount(pieces) >= 2) {
            profile = {name, CompareText(pieces[0], "内网") == 0 ? "内网" : "外网", pieces[1],
                       ListCount(pieces) >= 3 ? pieces[2] : "", ListCount(pieces) >= 4 ? pieces[3] : ""};
        }
        content.Profiles.push_back(profile);
    }
    return content;
}

// Texts made of the fragments that matter to the reader: line breaks whole and split, separators,
// the last-selection word, lead bytes that swallow the byte after them, and zero bytes.
std::vector<std::string> TrickyTexts() {
    const std::string fragments[] = {
        "\r\n",     "\r",        "\n",   "|",    "=", "\x81", "\xFF", "\x81|", "\x81\r",
        "上次选择", "上次选择=", "内网", "外网", "a", "7",    "-3",   " ",     std::string(1, '\0'),
    };
    std::mt19937 random(20240611);
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        const auto length = std::uniform_int_distribution<int>(0, 40)(random);
        for (int k = 0; k < length; ++k) {
            text += fragments[std::uniform_int_distribution<std::size_t>(0, std::size(fragments) - 1)(random)];
        }
        texts.push_back(text);
    }
    return texts;
}

TEST(ProfileFile, WritesAndReadsTheWorkedExampleByteForByte) {
    const std::string written = FormatProfileText(kExampleProfiles, 1);
    EXPECT_EQ(ToBytes(written), kExampleBytes);

    const ProfileFileContent read = ParseProfileText(AsText(kExampleBytes));
    EXPECT_EQ(read.Profiles, kExampleProfiles);
    EXPECT_TRUE(read.HasLastSelection);
    EXPECT_EQ(read.LastSelection, 2);
    EXPECT_EQ(FormatProfileText(read.Profiles, read.LastSelection - 1), written);
}

TEST(ProfileFile, WritesOneLinePerProfileThenTheSelection) {
    struct Case {
        const char* name;
        Profiles profiles;
        std::int32_t selectedIndex;
        std::string text;
    } cases[] = {
        {"nothing at all", {}, -1, "上次选择=0\r\n"},
        // The selection of a profile that a delete has just removed.
        {"a position past the list", {}, 0, "上次选择=1\r\n"},
        {"any negative index is no selection", {{"a", "内网", "m", "", ""}}, -7, "a=内网|m||\r\n上次选择=0\r\n"},
        {"every field empty", {kEmpty}, 0, "=|||\r\n上次选择=1\r\n"},
        // Nothing is escaped: the reader decides what comes back of these.
        {"separators inside fields",
         {{"a=b", "内网", "1|2", "h=", "9\r\n"}},
         -1,
         "a=b=内网|1|2|h=|9\r\n\r\n上次选择=0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatProfileText(c.profiles, c.selectedIndex), c.text);
    }
}

TEST(ProfileFile, ReadsEveryLineByTheRules) {
    const std::string zero(1, '\0');
    struct Case {
        const char* name;
        std::string text;
        Profiles profiles;
        bool hasLastSelection;
        std::int32_t lastSelection;
        std::string rewritten;  // the profile lines the next save writes
    } cases[] = {
        // clang-format off
        {"empty text", "", {}, false, 0, ""},
        {"only a last selection", "上次选择=1\r\n", {}, true, 1, ""},
        {"selection past the list", "上次选择=5\r\n", {}, true, 5, ""},
        {"selection zero", "上次选择=0\r\n", {}, true, 0, ""},
        {"negative selection", "上次选择=-3\r\n", {}, true, -3, ""},
        {"no number", "上次选择=abc\r\n", {}, true, 0, ""},
        {"the word alone", "上次选择\r\n", {}, true, 0, ""},
        {"the later selection wins", "上次选择=1\r\n上次选择=4\r\n", {}, true, 4, ""},
        // The number is read from the line's last L - 9 bytes, not from after the "=".
        {"the word first, more after it", "上次选择 9=42\r\n", {}, true, 9, ""},
        {"the word after another byte", "x上次选择=12\r\n", {}, true, 0, ""},
        {"no selection line", "a=内网|m||\r\n",
         {{"a", "内网", "m", "", ""}}, false, 0, "a=内网|m||\r\n"},
        {"empty line between profiles", "a=内网|m||\r\n\r\nb=外网|n|h|9\r\n",
         {{"a", "内网", "m", "", ""}, kEmpty, {"b", "外网", "n", "h", "9"}}, false, 0,
         "a=内网|m||\r\n=|||\r\nb=外网|n|h|9\r\n"},
        {"empty line written back", "=|||\r\n",
         {{"", "外网", "", "", ""}}, false, 0, "=外网|||\r\n"},
        {"two line breaks at the end", "a=内网|m||\r\n\r\n",
         {{"a", "内网", "m", "", ""}, kEmpty}, false, 0, "a=内网|m||\r\n=|||\r\n"},
        {"one piece", "配置1=内网",
         {kEmpty}, false, 0, "=|||\r\n"},
        {"one piece and a final separator", "配置1=内网|",
         {kEmpty}, false, 0, "=|||\r\n"},
        {"two pieces, the second empty", "配置1=内网||",
         {{"配置1", "内网", "", "", ""}}, false, 0, "配置1=内网|||\r\n"},
        {"no name", "内网|AA-BB-CC-DD-EE-FF|h|7",
         {{"", "内网", "AA-BB-CC-DD-EE-FF", "h", "7"}}, false, 0, "=内网|AA-BB-CC-DD-EE-FF|h|7\r\n"},
        {"a name holding =", "a=b=内网|1A-2B-3C-4D-5E-6F||",
         {{"a", "外网", "1A-2B-3C-4D-5E-6F", "", ""}}, false, 0, "a=外网|1A-2B-3C-4D-5E-6F||\r\n"},
        {"blank before the mode", "a= 内网|m",
         {{"a", "外网", "m", "", ""}}, false, 0, "a=外网|m||\r\n"},
        {"blank after the mode", "a=内网 |m",
         {{"a", "外网", "m", "", ""}}, false, 0, "a=外网|m||\r\n"},
        {"mode LAN", "a=LAN|m",
         {{"a", "外网", "m", "", ""}}, false, 0, "a=外网|m||\r\n"},
        {"pieces after the fourth", "a=内网|m|h|9|x|y",
         {{"a", "内网", "m", "h", "9"}}, false, 0, "a=内网|m|h|9\r\n"},
        {"a profile named like the selection line", "上次选择=内网|m||\r\nb=外网|n||\r\n",
         {{"b", "外网", "n", "", ""}}, true, 0, "b=外网|n||\r\n"},
        {"the word in a field", "a=内网|上次选择||\r\n",
         {}, true, 0, ""},
        {"line feeds only", "a=内网|m|h|1\nb=外网|n|g|2\n",
         {{"a", "内网", "m", "h", "1\nb=外网"}}, false, 0, "a=内网|m|h|1\nb=外网\r\n"},
        {"line feeds only, the word somewhere", "a=内网|m||\n上次选择=1\n",
         {}, true, 0, ""},
        {"a lone carriage return", "a=内网|m\r|h\r\n",
         {{"a", "内网", "m\r", "h", ""}}, false, 0, "a=内网|m\r|h|\r\n"},
        {"a zero byte ends the text", "a=内网|m||\r\n" + zero + "b=外网|n||\r\n",
         {{"a", "内网", "m", "", ""}}, false, 0, "a=内网|m||\r\n"},
        {"a zero byte first", zero + "a=内网|m||\r\n",
         {}, false, 0, ""},
        // 81 7C is one double-byte character: its 7C is no separator.
        {"separator as a second byte", "n=内网|a\x81|b|c",
         {{"n", "内网", "a\x81|b", "c", ""}}, false, 0, "n=内网|a\x81|b|c|\r\n"},
        {"= as a second byte", "\x81=n=内网|m",
         {{"\x81=n", "内网", "m", "", ""}}, false, 0, "\x81=n=内网|m||\r\n"},
        {"CR LF after a lead byte is no line break", "a=内网|m|h|\x81\r\nb=外网|n||\r\n",
         {{"a", "内网", "m", "h", "\x81\r\nb=外网"}}, false, 0, "a=内网|m|h|\x81\r\nb=外网\r\n"},
        {"the word out of step is no selection line", "x=内网|\x81上次选择=3||",
         {{"x", "内网", "\x81上次选择=3", "", ""}}, false, 0, "x=内网|\x81上次选择=3||\r\n"},
        {"a lead byte at the very end", "n=内网|m\x81",
         {{"n", "内网", "m\x81", "", ""}}, false, 0, "n=内网|m\x81||\r\n"},
        {"a lone lead byte", "\x81",
         {kEmpty}, false, 0, "=|||\r\n"},
        {"a selection ending in a lead byte", "上次选择=7\x81",
         {}, true, 7, ""},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProfileFileContent read = ParseProfileText(c.text);
        EXPECT_EQ(read.Profiles, c.profiles);
        EXPECT_EQ(read.HasLastSelection, c.hasLastSelection);
        EXPECT_EQ(read.LastSelection, c.lastSelection);
        EXPECT_EQ(FormatProfileText(read.Profiles, -1), c.rewritten + "上次选择=0\r\n");
    }
}

TEST(ProfileFile, ReadsAProfileLineAlone) {
    EXPECT_EQ(ParseProfileLine("配置2=外网|00-1D-60-AB-CD-EF|203.0.113.10|9"), kExampleProfiles[1]);
    EXPECT_EQ(ParseProfileLine(""), kEmpty);
    EXPECT_EQ(ParseProfileLine("="), kEmpty);
    EXPECT_EQ(ParseProfileLine("|"), kEmpty);
    EXPECT_EQ(ParseProfileLine("||"), (WakeProfile{"", "外网", "", "", ""}));
    EXPECT_EQ(ParseProfileLine("a=\x81"), kEmpty);
}

TEST(ProfileFile, AgreesWithThePlainReadingOnArbitraryBytes) {
    for (const std::string& text : TrickyTexts()) {
        SCOPED_TRACE(::testing::PrintToString(text));
        const ProfileFileContent want = ReadThePlainWay(text);
        const ProfileFileContent got = ParseProfileText(text);
        ASSERT_EQ(got.Profiles, want.Profiles);
        ASSERT_EQ(got.HasLastSelection, want.HasLastSelection);
        ASSERT_EQ(got.LastSelection, want.LastSelection);
    }
}

// Whatever a file held, once it has been read and written, reading and writing again changes
// nothing: the profiles and the bytes stay as they are, and the selection reads back as written.
TEST(ProfileFile, WhatWasWrittenReadsBackTheSame) {
    std::mt19937 random(7);
    for (const std::string& text : TrickyTexts()) {
        SCOPED_TRACE(::testing::PrintToString(text));
        const std::int32_t selectedIndex = std::uniform_int_distribution<std::int32_t>(-1, 3)(random);
        const std::string firstWrite = FormatProfileText(ParseProfileText(text).Profiles, selectedIndex);
        const Profiles written = ParseProfileText(firstWrite).Profiles;
        const std::string secondWrite = FormatProfileText(written, selectedIndex);

        const ProfileFileContent reread = ParseProfileText(secondWrite);
        ASSERT_EQ(reread.Profiles, written);
        ASSERT_TRUE(reread.HasLastSelection);
        ASSERT_EQ(reread.LastSelection, selectedIndex + 1);
        ASSERT_EQ(FormatProfileText(reread.Profiles, selectedIndex), secondWrite);
    }
}

TEST(ProfileFile, LargeAndDegenerateTextsStayLinear) {
    // One line of four million separators: one profile, no list of four million pieces.
    const std::string separators = "a=内网|m|h|9" + std::string(4'000'000, '|');
    EXPECT_EQ(ParseProfileText(separators).Profiles, (Profiles{{"a", "内网", "m", "h", "9"}}));

    // 200 000 empty lines: as many empty profiles.
    std::string breaks;
    for (int i = 0; i < 200'000; ++i) {
        breaks += "\r\n";
    }
    const ProfileFileContent empties = ParseProfileText(breaks);
    ASSERT_EQ(empties.Profiles.size(), 200'000u);
    EXPECT_EQ(empties.Profiles.back(), kEmpty);

    // Four million lead bytes, each swallowing the next: one line, one empty profile.
    const std::string leads(4'000'001, '\x81');
    EXPECT_EQ(ParseProfileText(leads).Profiles, (Profiles{kEmpty}));
}

// The file's folder may be named with characters that code page 936 lacks: path texts are UTF-8
// on Windows and reach the wide file calls, while the file's own bytes stay GBK.
TEST(ProfileFile, IsKeptInAFolderNamedOutsideCodePage936) {
    const std::string folderName = "profiles \xF0\x9F\x98\x80";  // an emoji, in UTF-8
    const std::string folder = JoinText({RunDirectory(), kPathSeparator, folderName});
    const std::filesystem::path folderPath(std::u8string(folder.begin(), folder.end()));
    std::error_code ignored;
    std::filesystem::remove_all(folderPath, ignored);
    ASSERT_TRUE(std::filesystem::create_directory(folderPath));

    const std::string path = JoinText({folder, kPathSeparator, "wol.ini"});
    EXPECT_TRUE(WriteWholeFile(path, ToBytes(FormatProfileText(kExampleProfiles, 1))));
    EXPECT_EQ(ReadWholeFile(path), kExampleBytes);
    EXPECT_TRUE(std::filesystem::exists(folderPath / "wol.ini"));
    EXPECT_EQ(ParseProfileText(AsText(ReadWholeFile(path))).Profiles, kExampleProfiles);

    std::filesystem::remove_all(folderPath, ignored);
}

}  // namespace
