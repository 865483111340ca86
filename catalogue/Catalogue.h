#pragma once

#include <QString>

namespace vantrel {

// Where an aircraft's display name sits in the path of its aircraft.cfg: 1-based position of the first
// character of the name and of the separator that ends it, and the name in the folder's own letter case.
struct AircraftNameSpan
{
    int start = 0;
    int end = 0;
    QString name;
};

// An aircraft is named after its own folder: the last component of the folder that holds `cfgFileName`,
// so an installation below another folder called "Aircraft" still lists each aircraft by its own name.
AircraftNameSpan aircraftNameOf(const QString& cfgFileName);

// CSL folders hold multiplayer models, not aircraft to fly; they are never listed.
bool isCslFolder(const QString& name);

// "Total Aircraft: " and the count of aircraft folders. Installations keep three folders beside the
// aircraft in their aircraft folder, which do not count; a combat simulator's folder keeps none.
QString totalAircraftCaption(int subfolderCount, const QString& aircraftFolder);

// The title of the selection list: the aircraft whose wing leveler is enabled (Remove) or disabled (Restore).
QString listCaption(bool restoreList, int count);

QString messageEntryText(bool restoreMode);

} // namespace vantrel
