// ToInteger on arbitrary bytes: never crashes, never overflows (UBSan watches the arithmetic), and
// agrees with a plain decimal reading on texts it must read the ordinary way.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::int32_t value = ToInteger(text);

    // A text of ASCII digits only, short enough not to wrap, reads as its decimal value.
    bool digitsOnly = !text.empty() && text.size() <= 9;
    std::int64_t expected = 0;
    for (char c : digitsOnly ? text : std::string()) {
        if (c < '0' || c > '9') {
            digitsOnly = false;
            break;
        }
        expected = expected * 10 + (c - '0');
    }
    if (digitsOnly && value != expected) {
        std::abort();
    }
    // Its decimal text reads back as the same number.
    if (ToInteger(NumberToText(value)) != value) {
        std::abort();
    }
    return 0;
}
