#include "os/NativeSimulatorSearchPlatform.h"

#include "os/AppError.h"
#include "os/RegularFile.h"

#include <chrono>
#include <cstdio>
#include <memory>

namespace vantrel::os {

NativeSimulatorSearchPlatform& NativeSimulatorSearchPlatform::instance()
{
    static NativeSimulatorSearchPlatform platform;
    return platform;
}

std::vector<std::string> NativeSimulatorSearchPlatform::entries(const std::string& folder, os::EntryKind kind)
{
    try {
        return os::readFolderEntries(folder, kind);
    } catch (const AppError&) {
        return {};
    }
}

std::string NativeSimulatorSearchPlatform::readFile(const std::string& path, std::size_t limit)
{
    // Ordinary files only: a pipe put where a registry file should be would be waited on for good.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(os::openRegularStream(path, "rb"), &std::fclose);
    if (!file)
        return {};
    // Megabytes for a registry file: read in one piece where the size is known beforehand.
    std::string bytes;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        if (size > 0 && static_cast<unsigned long>(size) <= limit)
            bytes.reserve(static_cast<std::size_t>(size));
        std::rewind(file.get());
    }
    char buffer[64 * 1024];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (bytes.size() + got > limit)
            return {};
        bytes.append(buffer, got);
    }
    return std::ferror(file.get()) ? std::string() : bytes;
}

std::int64_t NativeSimulatorSearchPlatform::milliseconds()
{
    using namespace std::chrono;
    return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace vantrel::os
