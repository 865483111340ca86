#pragma once

#include "os/SimulatorSearchPlatform.h"

#include <cstdint>
#include <string>
#include <vector>

// Where a first start looks for the simulator, and what counts as an installation there.
namespace vantrel::find {

// The whole search may take this long; places not reached by then are not looked at.
constexpr std::int64_t kSearchBudgetMs = 250;

// The registry keys of the simulators below HKEY_LOCAL_MACHINE, each with the value naming its folder, and the
// folder each installs into by default below "Program Files\Microsoft Games".
struct Simulator
{
    const char* key;
    const char* value;
    const char* defaultFolder;
};
extern const Simulator kFs2004;
extern const Simulator kFs2000;

// The aircraft folder of the installation in `folder`: its sub-folder "Aircraft" (in any letter case; the one
// named exactly so when there are several) when `folder` holds fs9.exe or fs2000.exe (in any letter case).
// "" when it is no installation. `separator` joins the names.
std::string aircraftFolderOf(os::SimulatorSearchPlatform& platform, const std::string& folder, char separator);

// Windows: the folders the registry names (FS2004's key, then FS2000's), then the default folders on every fixed
// drive in letter order ("Program Files (x86)" before "Program Files", FS2004 before FS2000). A folder on a
// drive that is not a fixed disk is never looked at. The aircraft folder of the first installation, or "".
std::string findOnWindows(os::SimulatorSearchPlatform& platform);

// The Wine prefixes looked at, in order: $WINEPREFIX, ~/.wine, ~/.local/share/wineprefixes/*, Steam's
// compatdata/*/pfx, Lutris's ~/Games/*, Bottles' bottles/*, PlayOnLinux's ~/.PlayOnLinux/wineprefix/*.
std::vector<std::string> winePrefixes(os::SimulatorSearchPlatform& platform);

// Elsewhere: each Wine prefix in turn, first the folders its registry (system.reg) names, then the default folders
// in its drive_c. The aircraft folder of the first installation, or "".
std::string findInWinePrefixes(os::SimulatorSearchPlatform& platform);

// The search of this system (findOnWindows or findInWinePrefixes); "" when nothing is found, whatever failed.
std::string findAircraftFolder(os::SimulatorSearchPlatform& platform);

// The text of value `valueName` of key `keyPath` (below HKEY_LOCAL_MACHINE, "Software\\Microsoft\\...") in the
// text of a Wine registry file (system.reg), its escapes undone. Key and value names ignore letter case. "" when
// the key or value is not there or holds no text.
std::string wineRegistryText(const std::string& file, const std::string& keyPath, const std::string& valueName);

} // namespace vantrel::find
