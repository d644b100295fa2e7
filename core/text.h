// Text, number and byte operations shared by every part of the tool.
//
// A text is a std::string of code-page-936 (GBK) bytes without inner zero bytes. Lengths, counts
// and positions are in bytes and 1-based. The searching operations (FindText, FindTextReverse,
// ReplaceText, SplitText) step over double-byte characters: a byte of 0x80 or above starts a
// two-byte character and a match is only tried where a character starts. The cutting operations
// (TextLeft, TextRight, TextMid) count raw bytes and may cut a character in half.
//
// Every operation is a pure function: it keeps no state, never fails and gives a new value, so
// the scan workers may call them at the same time as the window thread.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// A counted sequence of bytes that may hold zero bytes.
using Bytes = std::vector<std::uint8_t>;

// Cutting (raw bytes).
std::int32_t TextLength(std::string_view text);
std::string TextLeft(std::string_view text, std::int32_t count);
std::string TextRight(std::string_view text, std::int32_t count);
std::string TextMid(std::string_view text, std::int32_t start, std::int32_t count);

// Searching (character stepping). Positions are 1-based; -1 means not found.
std::int32_t FindText(std::string_view text, std::string_view subtext);
std::int32_t FindTextReverse(std::string_view text, std::string_view subtext);

// Transforming.
std::string ReplaceText(std::string_view text, std::string_view subtext, std::string_view replacement);
// A text that ends with the delimiter has no empty last element; an empty text has no element.
std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter);
std::string JoinText(std::initializer_list<std::string_view> texts);
// Byte-wise unsigned comparison: below, equal to or above 0.
int CompareText(std::string_view a, std::string_view b);

template <typename List>
std::int32_t ListCount(const List& list) {
    return static_cast<std::int32_t>(list.size());
}

// Numbers and texts.
// Folds full-width forms to ASCII, skips leading white space, takes a sign and the decimal digits
// that follow, wrapping around in 32 bits; a text without digits gives 0.
std::int32_t ToInteger(std::string_view text);
std::string NumberToText(std::int32_t number);  // "%d"
std::string NumberToText(std::uint8_t number);  // "%u"
std::string NumberToText(double number);        // "%.13g"
std::string ToHexText(std::int32_t number);     // "%X" of the 32-bit pattern

// Bytes.
Bytes ToBytes(std::string_view text);
Bytes ToBytes(std::int64_t number);           // 8 bytes, least significant first
std::string BytesToText(const Bytes& bytes);  // up to the first zero byte
std::int32_t BytesLength(const Bytes& bytes);
Bytes BytesLeft(const Bytes& bytes, std::int32_t count);
bool CompareBytes(const Bytes& a, const Bytes& b);  // true when equal
