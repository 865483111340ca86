#include "GenerateInstallation.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

const char* const kUsage =
    "usage: vantrel_generate --root DIR --aircraft N [--seed S] [--modified-share F] [--simulator fs9|fs2000]\n"
    "                        [--big-mb M] [--small-files]\n"
    "Creates DIR/fs9.exe (or fs2000.exe) and DIR/Aircraft with N aircraft folders, a CSL folder and, with\n"
    "--big-mb, a Big_Test_Aircraft folder whose aircraft.cfg holds M MiB. DIR/Aircraft must not hold anything yet.\n"
    "Each aircraft.cfg holds 5 to 40 KiB, or with --small-files 2 to 14 KiB with [autopilot] anywhere in it.\n";

[[noreturn]] void usageError(const std::string& message)
{
    std::fprintf(stderr, "vantrel_generate: %s\n%s", message.c_str(), kUsage);
    std::exit(2);
}

long long parseInteger(const std::string& option, const char* text, long long lo, long long hi)
{
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < lo || value > hi)
        usageError(option + " needs a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) +
                   ", not \"" + text + "\"");
    return value;
}

double parseShare(const std::string& option, const char* text)
{
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !(value >= 0.0 && value <= 1.0))
        usageError(option + " needs a number from 0 to 1, not \"" + text + "\"");
    return value;
}

} // namespace

int main(int argc, char** argv)
{
    vantrel::bench::GeneratorOptions options;
    bool haveRoot = false;
    bool haveCount = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (option == "--small-files") {
            options.smallFiles = true;
            continue;
        }
        if (i + 1 >= argc)
            usageError(option.rfind("--", 0) == 0 ? option + " needs a value" : "unknown argument " + option);
        const char* value = argv[++i];
        if (option == "--root") {
            options.root = value;
            haveRoot = !options.root.empty();
        } else if (option == "--aircraft") {
            options.aircraft = static_cast<int>(parseInteger(option, value, 0, 1000000));
            haveCount = true;
        } else if (option == "--seed") {
            options.seed = static_cast<std::uint32_t>(parseInteger(option, value, 0, 4294967295LL));
        } else if (option == "--modified-share") {
            options.modifiedShare = parseShare(option, value);
        } else if (option == "--simulator") {
            const std::string sim = value;
            if (sim == "fs9")
                options.simulator = vantrel::bench::Simulator::Fs9;
            else if (sim == "fs2000")
                options.simulator = vantrel::bench::Simulator::Fs2000;
            else
                usageError("--simulator must be fs9 or fs2000, not \"" + sim + "\"");
        } else if (option == "--big-mb") {
            options.bigMegabytes = static_cast<int>(parseInteger(option, value, 0, 65536));
        } else {
            usageError("unknown option " + option);
        }
    }
    if (!haveRoot || !haveCount)
        usageError("--root and --aircraft are required");

    try {
        const vantrel::bench::GeneratorSummary s = vantrel::bench::generateInstallation(options);
        std::printf("%s: %zu folders (%d aircraft + CSL%s), %zu modified, %zu without aircraft.cfg, "
                    "%.1f MiB of aircraft.cfg, simulator %s\n",
                    s.aircraftFolder.c_str(), s.aircraft.size(), options.aircraft,
                    s.bigFolder.empty() ? "" : " + Big_Test_Aircraft", s.modified.size(), s.withoutCfg.size(),
                    static_cast<double>(s.cfgBytes) / (1024.0 * 1024.0), s.simulatorExecutable.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vantrel_generate: error: %s\n", e.what());
        return 1;
    }
    return 0;
}
