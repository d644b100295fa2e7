// Converts a number text by the rules of the Windows shell's StrToIntExA with STIF_SUPPORT_HEX:
// leading white space, an optional sign, then "0x" and hexadecimal digits, or decimal digits. On
// success the value is stored and the result is true; otherwise value is left as it was.
//
// On Windows this calls StrToIntExA itself; elsewhere it is PortableNumberText, which the tests
// hold to the same results under Wine.
#pragma once

#include <cstdint>
#include <string>

bool ConvertNumberText(const std::string& text, std::int32_t& value);

// Our own implementation of the same rules, used where StrToIntExA does not exist.
bool PortableNumberText(const std::string& text, std::int32_t& value);
