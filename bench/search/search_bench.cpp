// The first start's search for the simulator, timed on a home folder full of Wine prefixes: Steam's compatdata with
// `--prefixes` prefixes (default 40), each with a system.reg of `--registry-mb` MiB (default 4, about what Proton
// leaves) and the usual Program Files folders, FS2004 in the last prefix looked at. Target: the search finds it, and
// takes at most 0.25 s (median of `--runs` runs, default 5, after a warm-up; the files are in the page cache).
//   vantrel_search_bench [--prefixes N] [--registry-mb M] [--runs R]
#include "find/SimulatorSearch.h"
#include "os/NativeSimulatorSearchPlatform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The machine itself, with the generated home folder as $HOME and no $WINEPREFIX.
class GeneratedHome : public vantrel::os::NativeSimulatorSearchPlatform
{
public:
    explicit GeneratedHome(std::string home) : home_(std::move(home)) {}
    std::string environment(const std::string& name) override { return name == "HOME" ? home_ : std::string(); }

private:
    std::string home_;
};

void writeRegistry(const fs::path& path, std::size_t bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n\n";
    std::size_t written = 0;
    for (int key = 0; written < bytes; ++key) {
        const std::string text = "[Software\\\\Classes\\\\CLSID\\\\{" + std::to_string(100000 + key) +
                                 "}\\\\InprocServer32] 1796713681\n#time=1dd86e2dcfc44ee\n"
                                 "@=\"C:\\\\windows\\\\system32\\\\ole32.dll\"\n\"ThreadingModel\"=\"Both\"\n\n";
        out << text;
        written += text.size();
    }
}

} // namespace

int main(int argc, char** argv)
{
    int prefixes = 40, registryMb = 4, runs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        const int value = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--prefixes"))
            prefixes = value;
        else if (!std::strcmp(argv[i], "--registry-mb"))
            registryMb = value;
        else if (!std::strcmp(argv[i], "--runs"))
            runs = value;
    }
    std::random_device random;
    const fs::path work = fs::temp_directory_path() / ("vantrel-search-bench-" + std::to_string(random()));
    const fs::path compatdata = work / "home" / ".local/share/Steam/steamapps/compatdata";
    fs::path last;
    for (int i = 0; i < prefixes; ++i) {
        const fs::path prefix = compatdata / std::to_string(200000 + i) / "pfx";
        fs::create_directories(prefix / "drive_c" / "Program Files (x86)" / "Common Files");
        fs::create_directories(prefix / "drive_c" / "Program Files" / "Common Files");
        writeRegistry(prefix / "system.reg", static_cast<std::size_t>(registryMb) << 20);
        last = prefix;
    }
    const fs::path fs9 = last / "drive_c" / "Program Files (x86)" / "Microsoft Games" / "Flight Simulator 9";
    fs::create_directories(fs9 / "Aircraft" / "Trainer");
    std::ofstream(fs9 / "fs9.exe") << "MZ";

    GeneratedHome machine((work / "home").string());
    std::vector<double> seconds;
    std::string found;
    for (int run = 0; run <= runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        found = vantrel::find::findInWinePrefixes(machine);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (run > 0) // the first run warms the page cache
            seconds.push_back(took.count());
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds.empty() ? 0 : seconds[seconds.size() / 2];
    const bool foundIt = found == (fs9 / "Aircraft").string();
    std::printf("search, %d prefixes of %d MiB: %.3f s (median of %d), target <= 0.25 s: %s; installation %s\n",
                prefixes, registryMb, median, runs, median <= 0.25 ? "held" : "missed",
                foundIt ? "found" : "NOT found");
    std::error_code ignored;
    fs::remove_all(work, ignored);
    return median <= 0.25 && foundIt ? 0 : 1;
}
