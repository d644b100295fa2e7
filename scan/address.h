// Address and MAC texts of the scanner.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The number of a dotted address text: p1 × 2^24 + p2 × 2^16 + p3 × 2^8 + p4, a part above 255
// carrying into the next; -1 when the text has fewer than four parts. Parts after the fourth are
// ignored.
std::int64_t AddressTextToNumber(std::string_view text);

// The dotted text of the number's low 32 bits, first octet from the most significant byte.
std::string AddressNumberToText(std::int64_t number);

// Six bytes as "00:1A:2B:0C:D4:FF": two upper-case hexadecimal digits each, ":" between.
std::string MacBytesToText(const std::uint8_t (&mac)[6]);

// A host name held in at most 255 bytes, cut so that no double-byte character is split.
std::string HostNameWithinLimit(std::string_view name);
