#include "os/WideText.h"

#ifdef _WIN32

#include "os/Windows.h"

#include <cwchar>
#include <utility>

namespace vantrel::os {

namespace {

// `text`, in the encoding of code page `codePage`, as UTF-16.
std::wstring wideFrom(UINT codePage, const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

} // namespace

std::wstring toWide(const std::string& utf8)
{
    return wideFrom(CP_UTF8, utf8);
}

std::string toUtf8(const wchar_t* utf16, std::size_t length)
{
    if (length == 0)
        return std::string();
    const int size = static_cast<int>(length);
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, utf16, size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16, size, text.data(), bytes, nullptr, nullptr);
    return text;
}

std::string toUtf8(const std::wstring& utf16)
{
    return toUtf8(utf16.data(), utf16.size());
}

std::string toUtf8(const wchar_t* utf16)
{
    return toUtf8(utf16, std::wcslen(utf16));
}

std::string codePageToUtf8(const std::string& text)
{
    return toUtf8(wideFrom(CP_ACP, text));
}

std::string utf8ToCodePage(const std::string& utf8)
{
    const std::wstring wide = toWide(utf8);
    if (wide.empty())
        return std::string();
    const int size = static_cast<int>(wide.size());
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), bytes, nullptr, nullptr);
    return text;
}

bool utf8ToCodePageExactly(const std::string& utf8, std::string& text)
{
    text.clear();
    if (utf8.empty())
        return true;
    if (::GetACP() == CP_UTF8)
        return false;
    const std::wstring wide = toWide(utf8);
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int bytes =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &usedDefault);
    if (bytes <= 0 || usedDefault)
        return false;
    std::string converted(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, converted.data(), bytes, nullptr,
                          &usedDefault);
    if (usedDefault || codePageToUtf8(converted) != utf8)
        return false;
    text = std::move(converted);
    return true;
}

} // namespace vantrel::os

#endif
