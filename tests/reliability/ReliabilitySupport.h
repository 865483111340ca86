#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vantrel::test {

namespace fs = std::filesystem;

// A fresh folder below the system's temporary folder, removed with everything in it at the end.
class ScratchFolder
{
public:
    // Below `base`, or below the system's temporary folder when `base` is empty.
    explicit ScratchFolder(const std::string& stem, const fs::path& base = {});
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::string readBytes(const fs::path& path);
void writeBytes(const fs::path& path, const std::string& bytes);

// The settings file that makes start-up open `aircraftFolder` with both defaults chosen.
void writeSettings(const fs::path& folder, const fs::path& aircraftFolder);

// What the reliability driver reported, split by kind (see ReliabilityDriver.cpp).
struct DriverReport
{
    std::vector<std::string> before; // list entries before Modify
    std::vector<std::string> after;  // list entries after Modify
    std::vector<std::string> boxes;  // "title|text"
    bool modifyBegan = false;
    bool done = false;
};

DriverReport parseReport(const std::vector<std::string>& lines);

} // namespace vantrel::test
