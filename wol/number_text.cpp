// Number texts by the rules of StrToIntExA with STIF_SUPPORT_HEX (see number_text.h), for the
// platforms that do not have it.
#include "wol/number_text.h"

#include <string_view>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

int DecimalDigit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

int HexadecimalDigit(char c) {
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return DecimalDigit(c);
}

}  // namespace

bool PortableNumberText(const std::string& text, std::int32_t& value) {
    // StrToIntExA is handed a C string and sees nothing after a zero byte.
    const std::string_view s(text.c_str());
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }

    // Only the low 32 bits reach the caller, and they do not depend on the higher ones: unsigned
    // 32-bit arithmetic gives exactly what the wider sum gives once cut to an int.
    std::uint32_t number = 0;
    if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        i += 2;
        if (i == s.size() || HexadecimalDigit(s[i]) < 0) {
            return false;
        }
        for (; i < s.size() && HexadecimalDigit(s[i]) >= 0; ++i) {
            number = number * 16u + static_cast<std::uint32_t>(HexadecimalDigit(s[i]));
        }
        value = static_cast<std::int32_t>(number);  // a hexadecimal number takes no sign
        return true;
    }

    if (i == s.size() || DecimalDigit(s[i]) < 0) {
        return false;
    }
    for (; i < s.size() && DecimalDigit(s[i]) >= 0; ++i) {
        number = number * 10u + static_cast<std::uint32_t>(DecimalDigit(s[i]));
    }
    value = static_cast<std::int32_t>(negative ? 0u - number : number);
    return true;
}
