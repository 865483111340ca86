#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::bench {

enum class Simulator { Fs9, Fs2000 };

struct GeneratorOptions
{
    std::string root;           // folder that receives the simulator executable and the Aircraft folder
    int aircraft = 1000;        // ordinary aircraft folders, besides "CSL" and the big test aircraft
    std::uint32_t seed = 1;     // same seed and options give a byte-identical tree
    double modifiedShare = 0.2; // share of the ordinary aircraft whose wing leveler is already switched off
    Simulator simulator = Simulator::Fs9;
    int bigMegabytes = 0; // > 0: add "Big_Test_Aircraft" whose aircraft.cfg holds at least this many MiB
    // Small aircraft.cfg files of 2 to 14 KiB, made of a random part of the sections of an ordinary one, with the
    // [autopilot] section anywhere among them (first, last or between), instead of 5 to 40 KiB with [autopilot]
    // in the middle of the body.
    bool smallFiles = false;
};

struct GeneratorSummary
{
    std::string aircraftFolder;          // root + "/Aircraft"
    std::string simulatorExecutable;     // "fs9.exe" or "fs2000.exe"
    std::vector<std::string> aircraft;   // every folder made below Aircraft, in the order made
    std::vector<std::string> modified;   // folders whose aircraft.cfg carries wing-leveler lines
    std::vector<std::string> withoutCfg; // folders that hold no aircraft.cfg
    std::string cslFolder;               // the CSL folder (has an aircraft.cfg, not modified)
    std::string bigFolder;               // empty unless bigMegabytes > 0 (has an aircraft.cfg, not modified)
    std::uint64_t cfgBytes = 0;          // total size of every aircraft.cfg written
};

/// Creates a synthetic simulator installation below options.root, deterministic for a given seed.
/// Throws std::invalid_argument for bad options and std::runtime_error when a file cannot be made or the
/// Aircraft folder already holds something (nothing that exists is ever overwritten).
GeneratorSummary generateInstallation(const GeneratorOptions& options);

} // namespace vantrel::bench
