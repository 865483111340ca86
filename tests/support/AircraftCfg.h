#pragma once

#include <string>

namespace vantrel::test {

// An aircraft.cfg of the title given, with `autopilotLines` at the top of its [autopilot] section.
inline std::string aircraftCfg(const std::string& title, const std::string& autopilotLines = "")
{
    return "[fltsim.0]\r\ntitle=" + title + "\r\n\r\n[autopilot]\r\n" + autopilotLines +
           "autopilot_available=1\r\ndefault_vertical_speed=700.0\r\n\r\n[flaps.0]\r\ntype=1\r\n";
}

// `cfg` with `lines` inserted below its [autopilot] header.
inline std::string withInserted(const std::string& cfg, const std::string& lines)
{
    std::string changed = cfg;
    changed.insert(changed.find("[autopilot]\r\n") + 13, lines);
    return changed;
}

} // namespace vantrel::test
