// The one header that brings in the Windows API, configured once for the whole tool: Windows
// Vista or later (SRW locks, the wide file APIs we use), no min/max macros, and the lean subset of
// <windows.h>, which also keeps commdlg.h's FindText and ReplaceText macros away from our names.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif  // WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif  // NOMINMAX
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#undef WINVER
#define WINVER 0x0600

// Windows Sockets 2 must come before <windows.h>, which would otherwise pull in the old winsock.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <string>
#include <string_view>

// Conversions between the tool's code-page-936 texts (or UTF-8 path texts) and UTF-16.
std::wstring WideFromCodePage(std::string_view text, unsigned codePage);
std::string CodePageFromWide(std::wstring_view text, unsigned codePage);

constexpr unsigned kCodePageGbk = 936;
