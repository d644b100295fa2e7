// Dotted decimal text of IPv4 address bytes.
#include "core/ipv4_text.h"

std::string AddressBytesToText(const Bytes& address) {
    std::string text;
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (i > 0) {
            text += '.';
        }
        text += NumberToText(address[i]);
    }
    return text;
}
