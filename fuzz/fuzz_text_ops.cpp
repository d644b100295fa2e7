// The searching and transforming text operations on arbitrary bytes, a lead byte at the very end
// included: no crash, no read outside the text, and results that agree with each other.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte chooses how long the subtext is; the rest is split into subtext and text.
    const std::size_t subLength = std::min<std::size_t>(data[0] % 4, size - 1);
    const std::string subtext(reinterpret_cast<const char*>(data + 1), subLength);
    const std::string text(reinterpret_cast<const char*>(data + 1 + subLength), size - 1 - subLength);

    const std::int32_t first = FindText(text, subtext);
    const std::int32_t last = FindTextReverse(text, subtext);
    if ((first == -1) != (last == -1) || first > last) {
        std::abort();
    }
    if (first != -1 && TextMid(text, first, TextLength(subtext)) != subtext && !subtext.empty()) {
        std::abort();
    }

    const std::string removed = ReplaceText(text, subtext, "");
    if (!subtext.empty() && first == -1 && removed != text) {
        std::abort();  // nothing found, nothing removed
    }
    if (TextLength(removed) > TextLength(text)) {
        std::abort();
    }

    const auto pieces = SplitText(text, subtext);
    std::size_t total = 0;
    for (const std::string& piece : pieces) {
        total += piece.size();
    }
    if (total > text.size()) {
        std::abort();
    }
    if (!subtext.empty() && first == -1 && !text.empty() && (pieces.size() != 1 || pieces[0] != text)) {
        std::abort();  // no delimiter: the whole text is the one element
    }
    return 0;
}
