// Text conversions for the Windows API; see windows_api.h.
#include "core/windows_api.h"

std::wstring WideFromCodePage(std::string_view text, unsigned codePage) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int wideSize = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (wideSize <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), wideSize);
    return wide;
}

std::string CodePageFromWide(std::wstring_view text, unsigned codePage) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int narrowSize = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (narrowSize <= 0) {
        return {};
    }
    std::string narrow(static_cast<std::size_t>(narrowSize), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), narrowSize, nullptr, nullptr);
    return narrow;
}
