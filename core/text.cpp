// Text, number and byte operations; see text.h for the rules they share.
#include "core/text.h"

#include <algorithm>
#include <cstdio>

namespace {

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x80;
}

// Length in bytes of the character starting at index i: two for a lead byte, one otherwise. A lead
// byte at the very end of the text is a character of its own, so the walk never leaves the text.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
    if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
        return 2;
    }
    return 1;
}

bool MatchesAt(std::string_view text, std::size_t i, std::string_view subtext) {
    // The first byte alone rules out almost every position; compare the rest only where it fits.
    if (subtext.empty()) {
        return true;
    }
    return text.size() - i >= subtext.size() && text[i] == subtext[0] &&
           text.compare(i, subtext.size(), subtext) == 0;
}

std::int32_t ToPosition(std::size_t index) {
    return static_cast<std::int32_t>(index + 1);
}

}  // namespace

std::int32_t TextLength(std::string_view text) {
    return static_cast<std::int32_t>(text.size());
}

std::string TextLeft(std::string_view text, std::int32_t count) {
    if (count <= 0) {
        return {};
    }
    return std::string(text.substr(0, static_cast<std::size_t>(count)));
}

std::string TextRight(std::string_view text, std::int32_t count) {
    if (count <= 0) {
        return {};
    }
    const std::size_t n = std::min(static_cast<std::size_t>(count), text.size());
    return std::string(text.substr(text.size() - n));
}

std::string TextMid(std::string_view text, std::int32_t start, std::int32_t count) {
    if (start < 1 || start > TextLength(text) || count <= 0) {
        return {};
    }
    return std::string(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

std::int32_t FindText(std::string_view text, std::string_view subtext) {
    if (text.empty()) {
        return -1;
    }
    for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i)) {
        if (MatchesAt(text, i, subtext)) {
            return ToPosition(i);
        }
    }
    return -1;
}

std::int32_t FindTextReverse(std::string_view text, std::string_view subtext) {
    if (text.empty()) {
        return -1;
    }
    std::int32_t last = -1;
    for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i)) {
        if (MatchesAt(text, i, subtext)) {
            last = ToPosition(i);
        }
    }
    return last;
}

std::string ReplaceText(std::string_view text, std::string_view subtext, std::string_view replacement) {
    if (text.empty() || subtext.empty()) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (MatchesAt(text, i, subtext)) {
            result.append(replacement);
            i += subtext.size();
        } else {
            const std::size_t n = CharacterLength(text, i);
            result.append(text.substr(i, n));
            i += n;
        }
    }
    return result;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter) {
    std::vector<std::string> pieces;
    if (text.empty()) {
        return pieces;
    }
    if (delimiter.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t pieceStart = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (MatchesAt(text, i, delimiter)) {
            pieces.emplace_back(text.substr(pieceStart, i - pieceStart));
            i += delimiter.size();
            pieceStart = i;
        } else {
            i += CharacterLength(text, i);
        }
    }
    if (pieceStart < text.size()) {
        pieces.emplace_back(text.substr(pieceStart));
    }
    return pieces;
}

std::string JoinText(std::initializer_list<std::string_view> texts) {
    std::size_t size = 0;
    for (std::string_view t : texts) {
        size += t.size();
    }
    std::string result;
    result.reserve(size);
    for (std::string_view t : texts) {
        result.append(t);
    }
    return result;
}

int CompareText(std::string_view a, std::string_view b) {
    // string_view compares through char_traits<char>, which orders bytes as unsigned char.
    return a.compare(b);
}

std::int32_t ToInteger(std::string_view text) {
    // Full-width forms first, so that full-width digits and signs read as their ASCII twins.
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = CharacterLength(text, i);
        if (n == 2) {
            const auto lead = static_cast<unsigned char>(text[i]);
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
                folded.push_back(static_cast<char>(trail & 0x7F));
            } else if (lead == 0xA1 && trail == 0xA1) {
                folded.push_back(' ');
            } else if (lead == 0xA1 && trail == 0xAB) {
                folded.push_back('~');
            } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
                folded.push_back('*');
            } else {
                folded.append(text.substr(i, 2));
            }
        } else {
            folded.push_back(text[i]);
        }
        i += n;
    }

    std::size_t i = 0;
    while (i < folded.size() && (folded[i] == ' ' || (folded[i] >= '\t' && folded[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
        negative = folded[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;  // unsigned, so that overflow wraps around as the format requires
    for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(folded[i] - '0');
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<std::int32_t>(value);
}

std::string NumberToText(std::int32_t number) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(number));
    return buffer;
}

std::string NumberToText(std::uint8_t number) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%u", static_cast<unsigned>(number));
    return buffer;
}

std::string NumberToText(double number) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.13g", number);
    return buffer;
}

std::string ToHexText(std::int32_t number) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(static_cast<std::uint32_t>(number)));
    return buffer;
}

Bytes ToBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes ToBytes(std::int64_t number) {
    const auto bits = static_cast<std::uint64_t>(number);
    Bytes bytes(8);
    for (std::size_t i = 0; i < 8; ++i) {
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    return bytes;
}

std::string BytesToText(const Bytes& bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), end);
}

std::int32_t BytesLength(const Bytes& bytes) {
    return static_cast<std::int32_t>(bytes.size());
}

Bytes BytesLeft(const Bytes& bytes, std::int32_t count) {
    if (count <= 0) {
        return {};
    }
    const std::size_t n = std::min(static_cast<std::size_t>(count), bytes.size());
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
}

bool CompareBytes(const Bytes& a, const Bytes& b) {
    return a == b;
}
