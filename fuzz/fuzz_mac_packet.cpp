// MAC text to magic packet on arbitrary bytes: the result is always exactly 102 bytes or none, a
// packet is the six FF bytes and sixteen equal copies of the address, and a packet comes out
// exactly when 12 bytes remain once every ":" and "-" is removed.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/text.h"
#include "wol/magic_packet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Bytes packet = MagicPacketFromText(text);

    std::size_t remaining = 0;
    for (char c : text) {
        remaining += c != ':' && c != '-';
    }
    // ReplaceText steps over double-byte characters, so a ":" or "-" that is the second byte of
    // one stays; only when the text has no byte of 0x80 or above is the plain count exact.
    bool ascii = true;
    for (char c : text) {
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    }
    if (ascii && (remaining == 12) != !packet.empty()) {
        std::abort();
    }
    if (packet.empty()) {
        return 0;
    }
    if (packet.size() != static_cast<std::size_t>(kMagicPacketLength)) {
        std::abort();
    }
    for (std::size_t i = 0; i < 6; ++i) {
        if (packet[i] != 0xFF) {
            std::abort();
        }
    }
    for (std::size_t i = 12; i < packet.size(); ++i) {
        if (packet[i] != packet[6 + (i - 6) % 6]) {
            std::abort();
        }
    }
    return 0;
}
