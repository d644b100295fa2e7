// Number texts where the Windows shell is absent: our own implementation of its rules.
#include "wol/number_text.h"

bool ConvertNumberText(const std::string& text, std::int32_t& value) {
    return PortableNumberText(text, value);
}
