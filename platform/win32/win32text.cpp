#include "win32text.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace vornak::win32 {

std::wstring widen(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr,
                                      nullptr);
    if (n <= 0)
        return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring systemErrorText(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (n && buffer) {
        text.assign(buffer, n);
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
            text.pop_back();
    }
    if (buffer)
        LocalFree(buffer);
    if (text.empty()) {
        wchar_t hex[32];
        std::swprintf(hex, 32, L"error 0x%08lX", static_cast<unsigned long>(code));
        text = hex;
    }
    return text;
}

std::string lastErrorReport(std::string_view what)
{
    const DWORD code = GetLastError();
    return std::string(what) + ": " + narrow(systemErrorText(code));
}

void fail(std::string_view what)
{
    throw std::runtime_error(lastErrorReport(what));
}

std::wstring windowText(HWND hwnd)
{
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(std::max(n, 0)) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

}  // namespace vornak::win32
