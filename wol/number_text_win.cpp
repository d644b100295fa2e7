// Number texts on Windows: the shell's own StrToIntExA.
#include "wol/number_text.h"

#include "core/windows_api.h"

// After windows_api.h, so that the shell header sees the one configuration of <windows.h>.
#include <shlwapi.h>

bool ConvertNumberText(const std::string& text, std::int32_t& value) {
    // Whatever the call leaves in its variable is the caller's next value, also after a failure.
    int converted = value;
    const BOOL converts = StrToIntExA(text.c_str(), STIF_SUPPORT_HEX, &converted);
    value = converted;
    return converts != FALSE;
}
