// Reading and writing the wol.ini text. Pure functions of their arguments, safe on any bytes.
//
// Lines and "|" pieces are cut exactly where SplitText cuts them (at CR LF or "|" found where a
// character starts), but piece by piece over views of the text: a 100 MB file costs no copy of
// each line, and a line of a million "|" no list of a million empty pieces, since only the first
// four pieces of a line are ever used.
#include "profiles/profile_file.h"

#include <algorithm>
#include <limits>

#include "core/text.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kLastSelectionWord = "上次选择";
constexpr std::string_view kLastSelectionKey = "上次选择=";
constexpr std::string_view kLan = "内网";
constexpr std::string_view kWan = "外网";

// Positions of texts are 32-bit; a longer view is cut to what they can address. ReadWholeFile gives
// no more than that anyway.
std::string_view WithinTextLimit(std::string_view text) {
    return text.substr(0, std::min<std::size_t>(text.size(), std::numeric_limits<std::int32_t>::max()));
}

// Takes the next piece off the front of rest, as SplitText would give it: the bytes up to the first
// delimiter found where a character starts, or the rest when there is none. The empty rest after a
// final delimiter is no piece. A delimiter is whole characters, so the rest after it starts at a
// character start again and each search walks it in step with a walk over the whole text.
bool TakePiece(std::string_view& rest, std::string_view delimiter, std::string_view& piece) {
    if (rest.empty()) {
        return false;
    }
    const std::int32_t position = FindText(rest, delimiter);
    if (position < 1) {
        piece = rest;
        rest = {};
        return true;
    }
    const auto at = static_cast<std::size_t>(position - 1);
    piece = rest.substr(0, at);
    rest = rest.substr(at + delimiter.size());
    return true;
}

std::size_t CountLines(std::string_view text) {
    std::size_t count = 0;
    std::string_view line;
    while (TakePiece(text, kLineBreak, line)) {
        ++count;
    }
    return count;
}

}  // namespace

ProfileFileContent ParseProfileText(std::string_view text) {
    text = WithinTextLimit(text.substr(0, text.find('\0')));

    ProfileFileContent content;
    // The list is sized once: growing it by doubling would, for a large file, briefly hold the
    // records twice.
    content.Profiles.reserve(CountLines(text));
    std::string_view line;
    while (TakePiece(text, kLineBreak, line)) {
        if (FindText(line, kLastSelectionWord) >= 1) {
            // The number is the line's last L - 9 bytes, 9 being the length of "上次选择=", wherever
            // the word stood in the line; a later such line overrides an earlier one.
            content.HasLastSelection = true;
            content.LastSelection = ToInteger(line.substr(std::min(line.size(), kLastSelectionKey.size())));
            continue;
        }
        content.Profiles.push_back(ParseProfileLine(line));
    }
    return content;
}

WakeProfile ParseProfileLine(std::string_view line) {
    line = WithinTextLimit(line);

    std::string_view name;
    std::string_view fields = line;
    const std::int32_t equals = FindText(line, "=");
    if (equals >= 1) {
        name = line.substr(0, static_cast<std::size_t>(equals - 1));
        fields = line.substr(static_cast<std::size_t>(equals));
    }

    // Mode, Mac, Host, Port; pieces after the fourth are never looked at.
    std::string_view pieces[4];
    std::size_t count = 0;
    std::string_view piece;
    while (count < 4 && TakePiece(fields, "|", piece)) {
        pieces[count++] = piece;
    }
    if (count < 2) {
        return {};
    }

    WakeProfile profile;
    profile.Name = name;
    profile.Mode = CompareText(pieces[0], kLan) == 0 ? kLan : kWan;
    profile.Mac = pieces[1];
    profile.Host = pieces[2];
    profile.Port = pieces[3];
    return profile;
}

std::string FormatProfileText(const std::vector<WakeProfile>& profiles, std::int32_t selectedIndex) {
    // Any negative index means nothing is selected. An index past the last profile is written as it
    // is: a deleted profile's position is saved that way, and the reading side clamps it.
    const std::string number = std::to_string(selectedIndex < 0 ? std::int64_t{0} : std::int64_t{selectedIndex} + 1);

    std::size_t size = kLastSelectionKey.size() + number.size() + kLineBreak.size();
    for (const WakeProfile& p : profiles) {
        size += p.Name.size() + p.Mode.size() + p.Mac.size() + p.Host.size() + p.Port.size() + 4 + kLineBreak.size();
    }
    std::string text;
    text.reserve(size);
    for (const WakeProfile& p : profiles) {
        text.append(p.Name).append("=").append(p.Mode).append("|").append(p.Mac).append("|");
        text.append(p.Host).append("|").append(p.Port).append(kLineBreak);
    }
    text.append(kLastSelectionKey).append(number).append(kLineBreak);
    return text;
}
