// How a failing test shows a profile: its five fields, with every byte outside printable ASCII as
// \xNN, so GBK texts and stray CR or LF bytes can be read in the log.
#pragma once

#include <cstdio>
#include <ostream>
#include <string_view>

#include "core/records.h"

inline void PrintEscaped(std::string_view text, std::ostream* os) {
    *os << '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
            *os << buffer;
        } else {
            *os << c;
        }
    }
    *os << '"';
}

inline void PrintTo(const WakeProfile& profile, std::ostream* os) {
    *os << '{';
    PrintEscaped(profile.Name, os);
    for (std::string_view field : {std::string_view(profile.Mode), std::string_view(profile.Mac),
                                   std::string_view(profile.Host), std::string_view(profile.Port)}) {
        *os << ", ";
        PrintEscaped(field, os);
    }
    *os << '}';
}
