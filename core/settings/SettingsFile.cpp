#include "settings/SettingsFile.h"

#include "os/AppError.h"
#include "os/RegularFile.h"
#include "os/Utf8.h"

#ifdef _WIN32
#include "os/WideText.h"
#endif

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace vantrel::settings {

namespace {

// No line of a real settings file comes near this; a longer one is garbage, kept short in memory.
constexpr std::size_t kMaxFieldLength = 64 * 1024;

os::AppError lastSystemError()
{
    return os::errorFromSystem(std::error_code(errno, std::generic_category()));
}

// Windows programs of the simulator's time, and many editors, write 8-bit text in the system's ANSI code page;
// Vantrel writes the settings in it too whenever it can hold them (see settingsFileText). A line that is not
// UTF-8 is therefore read in that code page. Elsewhere the bytes of a path are the path.
std::string lineAsText(std::string line)
{
#ifdef _WIN32
    if (!os::isValidUtf8(line))
        return os::codePageToUtf8(line);
#endif
    return line;
}

// The bytes of the settings file: in the ANSI code page, so that 8-bit tools read it, when every character has a
// form there and those bytes cannot be mistaken for UTF-8 when read back; in UTF-8 otherwise.
std::string settingsFileText(const std::string& utf8)
{
#ifdef _WIN32
    std::string ansi;
    if (os::utf8ToCodePageExactly(utf8, ansi) && (ansi == utf8 || !os::isValidUtf8(ansi)))
        return ansi;
#endif
    return utf8;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string trimField(const std::string& line)
{
    std::size_t begin = 0;
    std::size_t end = line.size();
    while (begin < end && isBlank(line[begin]))
        ++begin;
    while (end > begin && isBlank(line[end - 1]))
        --end;
    if (end - begin >= 2 && line[begin] == '"' && line[end - 1] == '"') {
        ++begin;
        --end;
    }
    return line.substr(begin, end - begin);
}

} // namespace

std::string settingsFilePath(const std::string& folder)
{
    return folder + "Vantrel.ini";
}

std::uint64_t touchSettingsFile(const std::string& path)
{
    errno = 0;
    // Only an ordinary file is opened: a pipe of that name would keep the window from ever appearing.
    std::FILE* file = os::openRegularStream(path, "ab");
    if (!file)
        throw lastSystemError();
    std::uint64_t size = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long end = std::ftell(file);
        if (end > 0)
            size = static_cast<std::uint64_t>(end);
    }
    std::fclose(file);
    return size;
}

SettingsReader::SettingsReader(const std::string& path)
{
    errno = 0;
    m_file = os::openRegularStream(path, "rb");
    if (!m_file)
        throw lastSystemError();
}

SettingsReader::~SettingsReader()
{
    if (m_file)
        std::fclose(m_file);
}

std::string SettingsReader::readField()
{
    int c = std::fgetc(m_file);
    if (c == EOF) {
        if (std::ferror(m_file))
            throw os::makeError(os::err::DeviceIO);
        throw os::makeError(os::err::InputPastEnd);
    }
    std::string line;
    while (c != EOF && c != '\r' && c != '\n') {
        if (line.size() < kMaxFieldLength)
            line.push_back(static_cast<char>(c));
        c = std::fgetc(m_file);
    }
    if (c == '\r') {
        const int next = std::fgetc(m_file);
        if (next != '\n' && next != EOF)
            std::ungetc(next, m_file);
    }
    if (std::ferror(m_file))
        throw os::makeError(os::err::DeviceIO);
    return trimField(lineAsText(std::move(line)));
}

double toNumber(const std::string& field)
{
    // A plain decimal number: an optional sign, digits with at most one decimal point, an optional exponent.
    // Read the same way whatever the locale's decimal point; hexadecimal forms, "inf" and "nan" are no numbers,
    // and neither is a value beyond the range of double.
    std::size_t i = 0;
    const std::size_t n = field.size();
    const auto digitsAt = [&](std::size_t& at) {
        const std::size_t start = at;
        while (at < n && field[at] >= '0' && field[at] <= '9')
            ++at;
        return at - start;
    };
    if (i < n && (field[i] == '+' || field[i] == '-'))
        ++i;
    std::size_t digits = digitsAt(i);
    if (i < n && field[i] == '.') {
        ++i;
        digits += digitsAt(i);
    }
    if (digits == 0)
        throw os::makeError(os::err::TypeMismatch);
    if (i < n && (field[i] == 'e' || field[i] == 'E')) {
        ++i;
        if (i < n && (field[i] == '+' || field[i] == '-'))
            ++i;
        if (digitsAt(i) == 0)
            throw os::makeError(os::err::TypeMismatch);
    }
    if (i != n)
        throw os::makeError(os::err::TypeMismatch);

    // strtod reads the locale's decimal point: the file's point becomes that one.
    std::string text = field;
    const char point = *std::localeconv()->decimal_point;
    for (char& c : text) {
        if (c == '.')
            c = point;
    }
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (!std::isfinite(value))
        throw os::makeError(os::err::TypeMismatch);
    return value;
}

bool optionCodeOf(double number, long long& code)
{
    // Only a whole number can be a code; anything far outside the codes' range is just "another number".
    if (!(number > -1e9 && number < 1e9))
        return false;
    code = static_cast<long long>(number);
    return static_cast<double>(code) == number;
}

void writeSettingsFile(const std::string& path, const std::string& optionCode, const std::string& drive,
                       const std::string& aircraftFolder, os::FileOps& ops)
{
    const std::string content = settingsFileText(optionCode + "\r\n" + drive + "\r\n" + aircraftFolder + "\r\n");
    const std::string temporary = path + ".tmp";
    try {
        const os::FileOps::Handle file = ops.createWrite(temporary);
        try {
            ops.write(file, content.data(), content.size());
            ops.flush(file);
        } catch (...) {
            try {
                ops.close(file);
            } catch (...) {
            }
            throw;
        }
        ops.close(file);
        ops.rename(temporary, path);
    } catch (const std::system_error& error) {
        try {
            if (ops.status(temporary).exists)
                ops.remove(temporary);
        } catch (...) {
        }
        throw os::errorFromSystem(error.code());
    }
}

} // namespace vantrel::settings
