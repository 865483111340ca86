#pragma once

#include "form/Mode.h"

#include <string>

// Names and captions of the aircraft scan, worked out from paths and counts.
namespace vantrel::form {

// Where an aircraft's display name sits in the path of its aircraft.cfg: 1-based position of the first character
// of the name, and the name in the folder's own letter case.
struct AircraftNameSpan
{
    int start = 0;
    std::string name;
};

// An aircraft is named after its own folder: the last component of the folder that holds `cfgFileName`, so an
// installation below another folder called "Aircraft" still lists each aircraft by its own name.
AircraftNameSpan aircraftNameOf(const std::string& cfgFileName);

// CSL folders hold multiplayer models, not aircraft to fly; they are never listed.
bool isCslFolder(const std::string& name);

// "Total Aircraft: " and the count of aircraft folders. Installations keep three folders beside the aircraft in
// their aircraft folder, which do not count; a combat simulator's folder keeps none.
std::string totalAircraftCaption(int subfolderCount, const std::string& aircraftFolder);

// The title of the selection list: the aircraft whose wing leveler is enabled (Remove) or disabled (Restore).
std::string listCaption(Mode listMode, int count);

// The single entry of a list in which no aircraft qualifies.
std::string messageEntryText(Mode mode);

// Bytes of a path or of a configuration line as text to show: valid UTF-8 as it is, anything else read as
// the Western code page of the simulator's files (Windows-1252) and turned into UTF-8.
std::string displayText(const std::string& bytes);

} // namespace vantrel::form
