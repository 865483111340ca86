#include "settings/SettingsFile.h"

#include "engine/AppError.h"

#ifdef _WIN32
#include "os/WideText.h"
#endif

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace vantrel::settings {

namespace {

// No line of a real settings file comes near this; a longer one is garbage, kept short in memory.
constexpr std::size_t kMaxFieldLength = 64 * 1024;

AppError lastSystemError()
{
    return errorFromSystem(std::error_code(errno, std::generic_category()));
}

// The settings file's path is UTF-8 like every path of the program; Windows takes it in UTF-16.
std::FILE* openFile(const std::string& path, const char* mode)
{
#ifdef _WIN32
    return ::_wfopen(os::toWide(path).c_str(), os::toWide(mode).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
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
    std::FILE* file = openFile(path, "ab");
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
    m_file = openFile(path, "rb");
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
            throw makeError(err::DeviceIO);
        throw makeError(err::InputPastEnd);
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
        throw makeError(err::DeviceIO);
    return trimField(line);
}

double toNumber(const std::string& field)
{
    if (field.empty() || field.find('\0') != std::string::npos)
        throw makeError(err::TypeMismatch);
    const char* begin = field.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || errno == ERANGE)
        throw makeError(err::TypeMismatch);
    return value;
}

void writeSettingsFile(const std::string& path, const std::string& optionCode, const std::string& drive,
                       const std::string& aircraftFolder, os::FileOps& ops)
{
    const std::string content = optionCode + "\r\n" + drive + "\r\n" + aircraftFolder + "\r\n";
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
        throw errorFromSystem(error.code());
    }
}

} // namespace vantrel::settings
