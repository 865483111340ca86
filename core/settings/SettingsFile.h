#pragma once

#include "os/FileOps.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace vantrel::settings {

// Settings files of 10 bytes or fewer (the empty file that the first start leaves, say) are not read.
constexpr std::uint64_t kSmallestReadableSize = 11;

// The settings file "Vantrel.ini" in `folder` (which ends in a separator).
std::string settingsFilePath(const std::string& folder);

// Opens the settings file for appending, which creates an empty one when there is none, and returns
// its size. Throws os::AppError when the file cannot be opened so (a write-protected file or folder).
std::uint64_t touchSettingsFile(const std::string& path);

// Reads the settings file a field at a time. Each field is a whole line, so a folder or a volume label
// with a comma in it reads back as it was written; blanks around it and one pair of double quotes
// around it are dropped.
class SettingsReader
{
public:
    explicit SettingsReader(const std::string& path); // throws os::AppError
    ~SettingsReader();
    SettingsReader(const SettingsReader&) = delete;
    SettingsReader& operator=(const SettingsReader&) = delete;

    // The next field; throws os::AppError "Input past end of file" when there is none.
    std::string readField();

private:
    std::FILE* m_file = nullptr;
};

// The number at the start of the settings file: a plain decimal number (sign, digits, decimal point, exponent),
// finite, read alike in every locale. Throws os::AppError "Type mismatch" for a text that is not one.
double toNumber(const std::string& field);

// The whole number that a number read from the settings file stands for, when it is one that fits an int;
// false for a fraction or a number far out of range.
bool optionCodeOf(double number, long long& code);

// Replaces the settings file with the three lines (each ended by CR LF) in one step: a failing write
// keeps the old file. Throws os::AppError.
void writeSettingsFile(const std::string& path, const std::string& optionCode, const std::string& drive,
                       const std::string& aircraftFolder, os::FileOps& ops = os::FileOps::real());

} // namespace vantrel::settings
