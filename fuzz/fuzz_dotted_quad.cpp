// The address texts on arbitrary bytes: the dotted-address test of the sender and the scanner's
// text-to-number conversion. No crash; a text the test accepts has exactly four "."-separated
// pieces, each reading as a number from 0 to 255; a number's dotted text reads back as the number.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text.h"
#include "scan/address.h"
#include "wol/target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (IsDottedQuad(text)) {
        const auto pieces = SplitText(text, ".");
        if (pieces.size() != 4) {
            std::abort();
        }
        for (const std::string& piece : pieces) {
            const std::int32_t n = ToInteger(piece);
            if (n < 0 || n > 255) {
                std::abort();
            }
        }
    }

    const std::int64_t number = AddressTextToNumber(text);
    const std::string canonical = AddressNumberToText(number);
    if (AddressTextToNumber(canonical) != (number & 0xFFFFFFFF) ||
        AddressNumberToText(number & 0xFFFFFFFF) != canonical) {
        std::abort();
    }
    return 0;
}
