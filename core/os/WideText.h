#pragma once

#ifdef _WIN32

#include <cstddef>
#include <string>

namespace vantrel::os {

// Inside the program every text and path is UTF-8; the Windows API is called with UTF-16. These two convert at
// that boundary, and nothing else in the program converts.
std::wstring toWide(const std::string& utf8);
std::string toUtf8(const wchar_t* utf16, std::size_t length);
std::string toUtf8(const std::wstring& utf16);
// A NUL-terminated UTF-16 text, as Windows fills fixed buffers.
std::string toUtf8(const wchar_t* utf16);

// A path as the file calls take it: made absolute and cleaned (normalisePath), then in the \\?\ form ("\\?\C:\...",
// "\\?\UNC\server\share\..."), which hands each name to the file system as it is. Without it Windows cuts blanks
// and dots off the end of a path's last name, and a folder "Trailing Space " could be neither read nor written.
std::wstring toWidePath(const std::string& path);

// Text in the system's ANSI code page, as the registry functions bound by name (the ...A ones) read it.
std::string codePageToUtf8(const std::string& text);
std::string utf8ToCodePage(const std::string& utf8);
// The same, but only when every character has a form of its own in the ANSI code page (no best-fit or default
// character, and it reads back as the same text); false otherwise, and where the code page is UTF-8 itself.
bool utf8ToCodePageExactly(const std::string& utf8, std::string& text);

} // namespace vantrel::os

#endif
