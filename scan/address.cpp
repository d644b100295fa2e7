// Address and MAC texts of the scanner. Pure: no system call, no shared state, any bytes accepted,
// so the window thread and every scan worker may call these at the same time.
#include "scan/address.h"

#include "core/text.h"

namespace {

constexpr std::size_t kHostNameLimit = 255;  // the longest name DNS gives

}  // namespace

std::int64_t AddressTextToNumber(std::string_view text) {
    const std::vector<std::string> parts = SplitText(text, ".");
    if (ListCount(parts) < 4) {
        return -1;
    }
    // A part above 255 carries into the next byte instead of being refused. The sum is exact in 64
    // bits (it stays below 2^57): the same as summing in double precision wherever a double holds
    // it exactly, and the same on every platform beyond that, where x87 and SSE doubles round apart.
    return std::int64_t{ToInteger(parts[0])} * 16777216 + std::int64_t{ToInteger(parts[1])} * 65536 +
           std::int64_t{ToInteger(parts[2])} * 256 + ToInteger(parts[3]);
}

std::string AddressNumberToText(std::int64_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    const auto byteAt = [bits](int shift) { return NumberToText(static_cast<std::uint8_t>(bits >> shift)); };
    return JoinText({byteAt(24), ".", byteAt(16), ".", byteAt(8), ".", byteAt(0)});
}

std::string MacBytesToText(const std::uint8_t (&mac)[6]) {
    std::string text;
    for (const std::uint8_t byte : mac) {
        if (byte < 16) {
            text += "0";
        }
        text += ToHexText(byte);
        text += ":";
    }
    return TextLeft(text, 17);
}

std::string HostNameWithinLimit(std::string_view name) {
    if (name.size() <= kHostNameLimit) {
        return std::string(name);
    }
    // Step by characters as the text operations do (a byte of 0x80 or above starts a two-byte
    // character) and stop before the character that would not fit whole.
    std::size_t end = 0;
    while (end < name.size()) {
        const bool twoBytes = static_cast<unsigned char>(name[end]) >= 0x80 && end + 1 < name.size();
        const std::size_t next = end + (twoBytes ? 2 : 1);
        if (next > kHostNameLimit) {
            break;
        }
        end = next;
    }
    return std::string(name.substr(0, end));
}
