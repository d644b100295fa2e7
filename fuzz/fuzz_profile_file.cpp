// The wol.ini reader on arbitrary bytes, then the writer, then a second read: no crash, and the
// second read gives the same profiles as the first once the text has been written once (the
// format's own fixed point: what the tool writes, it reads back unchanged).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "profiles/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (size == 0) {
        return 0;
    }
    // The first byte picks the selection written back (-1 … 254).
    const std::int32_t selection = static_cast<std::int32_t>(data[0]) - 1;
    const ProfileFileContent first = ParseProfileText(text.substr(1));
    const std::string written = FormatProfileText(first.Profiles, selection);
    const ProfileFileContent second = ParseProfileText(written);
    const std::string rewritten = FormatProfileText(second.Profiles, selection);
    const ProfileFileContent third = ParseProfileText(rewritten);

    // One round may still change a malformed text, or one that is not well-formed GBK (a field
    // ending in a lead byte swallows the CR of its line break, joining two lines); after that
    // round nothing changes, and the selection written is the selection read.
    if (third.Profiles != second.Profiles || rewritten != FormatProfileText(third.Profiles, selection)) {
        std::abort();
    }
    if (!third.HasLastSelection || third.LastSelection != (selection < 0 ? 0 : selection + 1)) {
        std::abort();
    }
    return 0;
}
