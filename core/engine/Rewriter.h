#pragma once

#include "os/FileOps.h"

#include <functional>
#include <string>

namespace vantrel::engine {

enum class Mode { None, Remove, Restore };

// Read anew for every [autopilot] header written (the dialog's boxes may be read lazily).
struct InsertChoice
{
    std::function<bool()> bank;             // insert the default-bank line; unset counts as false
    std::function<bool()> pitch;            // insert the default-pitch line; unset counts as false
    std::function<std::string()> simulator; // "fs9.exe" picks the FS2004 lines (any letter case)
};

// The rewrite of one aircraft folder (backup rule, Remove/Restore, safe replace). Throws os::AppError; closes every
// file on every path. aircraft.cfg holds its complete old or complete new content at every moment; the backup
// aircraftcfg.bak is made (or refreshed while it holds 100 bytes or fewer) complete or not at all, as a copy that
// never shares its file with aircraft.cfg; a leftover aircraftcfg.tmp or aircraftcfg.bak.tmp is never deleted
// unread and never kept as a second name of another file. Mode::None touches nothing, and so does a mode on a file
// whose lines it would not change (no backup, no temporary file either): Remove on one that already carries a
// wing-leveler line or has no [autopilot] header to insert below (an empty one, say), Restore on one that carries
// none. A UTF-16 file is rewritten in UTF-16 with its mark and byte order; one that cannot be read as text ("Bad
// file mode") is left as it is. The new aircraft.cfg keeps the old one's permissions; where aircraft.cfg is a
// symbolic link, the file it points to is rewritten and the link stays.
void rewriteAircraft(const std::string& folder, Mode mode, const InsertChoice& choice,
                     os::FileOps& ops = os::FileOps::real());

// The path of `name` inside `folder`, with the native separator unless the folder already ends in one.
std::string joinPath(const std::string& folder, const std::string& name);

} // namespace vantrel::engine
