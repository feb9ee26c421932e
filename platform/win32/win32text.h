// Text between the core (UTF-8) and the Unicode Win32 API (UTF-16), a
// window's text, and the system's own wording of an error code.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vornak::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// FormatMessageW's text for a system error code, without the trailing
// line break; the code in hexadecimal when the system has no text for it.
std::wstring systemErrorText(DWORD code);

// "what failed: why" for the calling thread's last error, as UTF-8.
std::string lastErrorReport(std::string_view what);

// Throws std::runtime_error with lastErrorReport(what).
[[noreturn]] void fail(std::string_view what);

// A window's whole text.
std::wstring windowText(HWND hwnd);

}  // namespace vornak::win32
