#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace vantrel::test {

// A fresh folder below the system's temporary folder, removed again at the end of the test.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path()
                / ("vantrel-os-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace vantrel::test
