#pragma once

#include "os/FileOps.h"
#include "os/OpenFolder.h"

#include <string>
#include <string_view>

namespace vantrel::engine {

// What the classification of one aircraft.cfg found.
struct Classification
{
    bool empty = false;       // the file holds 0 bytes: no wing-leveler line (found stays false)
    bool found = false;       // a wing-leveler line was read; reading stopped there
    bool anyLineRead = false; // at least one line was read and tested completely
    int findPitch = 0;        // positions in the last line tested, 0 when absent
    int findBank = 0;
    // The last line read completely. Only its first kLastLineLimit bytes are kept: it serves error messages,
    // and a line of any length must not cost its length in memory. Left as it was until a line is complete.
    std::string lastLine;
    bool opened = false; // the file was opened: a failure before this happened while opening it

    static constexpr std::size_t kLastLineLimit = 4096;
};

// Reads `path` up to its first wing-leveler line. Fills `out` as it goes (lastLine = line read last), so after a
// thrown os::AppError the caller still sees how far it got. A 0-byte file: empty = true, found = false. A UTF-16 file
// (with its mark) is tested on its text: positions count its code units, and lastLine holds its ASCII characters
// with '?' for every other. Throws os::AppError; "Bad file mode" for 16-bit text without a mark (see detectEncoding).
void classifyFile(const std::string& path, Classification& out, os::FileOps& ops = os::FileOps::real());
// The same for the file `name` of a folder held open (`path` its full path), on the real file system: opened by
// its name in that folder, and read with a read less (a short read of an ordinary file is its end).
void classifyFileIn(const os::OpenFolder& folder, const std::string& name, const std::string& path,
                    Classification& out);

// simulatorFolder ends with the native separator; returns "fs9.exe", "fs2000.exe" or "" (lower-cased name found,
// fs9 first).
std::string findSimulator(const std::string& simulatorFolder);

// An installation keeps its aircraft in a folder called "Aircraft" (in any letter case) beside the simulator.
inline constexpr std::string_view kAircraftFolder = "aircraft";

// Whether `path` ends in "aircraft", in any letter case.
bool endsInAircraft(const std::string& path);

// The simulator beside the aircraft folder `aircraftFolder` (findSimulator in the path without its last
// kAircraftFolder.size() characters, which ends with the separator); "" for a shorter path.
std::string simulatorBeside(const std::string& aircraftFolder);

} // namespace vantrel::engine
