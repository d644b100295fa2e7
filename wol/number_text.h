// Number texts read by the rules of the Windows shell's StrToIntExA with STIF_SUPPORT_HEX, which
// the MAC parser relies on for each hexadecimal pair.
//
// The rules, as measured on StrToIntExA itself (under Wine 8) and kept by PortableNumberText:
//   - The text ends at its first zero byte.
//   - Blanks, tabs and line feeds at the start are skipped (no other white space), then one
//     optional "+" or "-".
//   - "0x" or "0X" then starts a hexadecimal number: at least one of 0-9, A-F, a-f must follow,
//     and the digits run to the first other byte ("0x1G" is 1). The sign is ignored ("-0x1A" is
//     26).
//   - Otherwise at least one decimal digit must follow, and the digits run to the first other
//     byte ("12abc" is 12); "-" negates.
//   - Digits are ASCII only: full-width forms and every byte of 0x80 or above end the number.
//   - The number wraps around: only its low 32 bits are kept.
//   - On success the value is stored and the result is true; otherwise (nothing after the sign,
//     "0x" without a digit, any other first byte) value is left as it was.
// Wine's own StrToIntExA reads its character-class table out of bounds for bytes of 0x80 and above
// and so takes some of them for hexadecimal digits, with meaningless values; that is a fault of
// Wine, not a rule of the call, and the tests compare the two only on defined input.
#pragma once

#include <cstdint>
#include <string>

// StrToIntExA itself on Windows; PortableNumberText elsewhere.
bool ConvertNumberText(const std::string& text, std::int32_t& value);

// Our own implementation of the same rules, used where StrToIntExA does not exist. Pure: any bytes.
bool PortableNumberText(const std::string& text, std::int32_t& value);
