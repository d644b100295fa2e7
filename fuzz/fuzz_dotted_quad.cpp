// The dotted-address test on arbitrary bytes: no crash, and a text it accepts has exactly four
// "."-separated pieces, each reading as a number from 0 to 255.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text.h"
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
    return 0;
}
