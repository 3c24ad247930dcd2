#pragma once

#include <QIcon>

class QWidget;

// The two windows' icons: each its 32 x 32 design, with larger sizes drawn
// for the desktop and for screens of more device pixels to a pixel.
namespace WindowIcons {

// The program's icon as designed, 32 x 32: quick to load.
QIcon programDesign();
// The program's icon, also at the sizes of the desktop's hicolor theme.
// Qt reads every picture as it is added, some milliseconds' work.
QIcon program();
// Gives window the program's icon: the design's at once, the larger sizes
// once its first frame is drawn, so that reading them does not hold it up.
void giveProgramIcon(QWidget &window);
// The About window's icon; its colour image also at 64 and 96 pixels.
QIcon about();

} // namespace WindowIcons
