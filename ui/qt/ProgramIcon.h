#pragma once

#include <QIcon>
#include <QPixmap>

namespace vantrel {

// The program's own icon: a light aircraft seen from above, on a sky-blue disc. Drawn in code so
// that every size (16, 32, 48, 64, 128, 256) is sharp and no image plug-in is needed.
QPixmap programIconPixmap(int size);
QIcon programIcon();

} // namespace vantrel
