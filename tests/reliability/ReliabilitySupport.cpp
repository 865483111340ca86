#include "ReliabilitySupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vantrel::test {

ScratchFolder::ScratchFolder(const std::string& stem, const fs::path& base)
{
    std::string pattern = ((base.empty() ? fs::temp_directory_path() : base) / (stem + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a scratch folder");
    path_ = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    // Read-only folders made by a test must not keep their files from being removed.
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return "<missing>";
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void writeBytes(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void writeSettings(const fs::path& folder, const fs::path& aircraftFolder)
{
    writeBytes(folder / "Vantrel.ini", "3\r\n/\r\n" + aircraftFolder.string() + "\r\n");
}

DriverReport parseReport(const std::vector<std::string>& lines)
{
    DriverReport report;
    for (const std::string& line : lines) {
        if (line.rfind("entry ", 0) == 0)
            report.before.push_back(line.substr(6));
        else if (line.rfind("after ", 0) == 0)
            report.after.push_back(line.substr(6));
        else if (line.rfind("box ", 0) == 0)
            report.boxes.push_back(line.substr(4));
        else if (line == "modify")
            report.modifyBegan = true;
        else if (line == "done")
            report.done = true;
    }
    return report;
}

} // namespace vantrel::test
