#pragma once

#include <string>
#include <string_view>

namespace vantrel::os {

// Letter case as the configuration files and the simulator's names know it: only the ASCII letters fold,
// every other byte (of any encoding) stays as it is.
constexpr char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}

// The first word.size() bytes at `text` spell `lowerWord` (given in lower case), ignoring the case of ASCII letters.
inline bool startsWithAsciiNoCase(const char* text, std::string_view lowerWord)
{
    for (std::size_t i = 0; i < lowerWord.size(); ++i) {
        if (lowerAscii(text[i]) != lowerWord[i])
            return false;
    }
    return true;
}

// `text` contains `word` (given in lower case) ignoring the letter case of ASCII letters.
inline bool containsAsciiNoCase(std::string_view text, std::string_view word)
{
    return lowerAscii(text).find(word) != std::string::npos;
}

} // namespace vantrel::os
