// The wol.ini format: reading its text into profiles and a last selection, and writing them back.
// Pure functions of their arguments; the file itself is read and written by profiles.cpp.
//
// One line per profile, "Name=Mode|Mac|Host|Port", then one line "上次选择=N"; every line ends in
// CR LF. Nothing is escaped: the reading rules decide what comes back of a "=" or "|" in a field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/records.h"

struct ProfileFileContent {
    std::vector<WakeProfile> Profiles;
    bool HasLastSelection = false;   // the text held a last-selection line
    std::int32_t LastSelection = 0;  // the number of the last such line; 1-based, 0 for none
};

// The text is the file's bytes up to the first zero byte.
ProfileFileContent ParseProfileText(std::string_view text);

// One profile line; a line of fewer than two "|" pieces gives a profile with every field empty.
WakeProfile ParseProfileLine(std::string_view line);

// The file's text for the profiles and the combo box's selected index (-1 for none).
std::string FormatProfileText(const std::vector<WakeProfile>& profiles, std::int32_t selectedIndex);
