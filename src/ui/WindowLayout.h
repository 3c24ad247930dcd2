#pragma once

#include <QFont>
#include <QMargins>

class QLabel;
class QWidget;

// What both windows need to stand as designed on any desktop: the design's
// font, labels that hold their text in whatever font stands in for it, and
// the frame a window manager puts round a window.
namespace WindowLayout {

// The default user-interface font at a design size; 8.25 point regular is
// the nearest the system has to the MS Sans Serif of the original design.
QFont designFont(qreal pointSize = 8.25, bool bold = false);

// Widens a label whose text needs more room than its design gives it in
// this font, keeping its left edge or centre, and lets it grow downwards
// by what its lines need; it stays inside clientWidth.
void fitLabelToText(QLabel &label, int clientWidth);

// The window frame's width on each side of the client area; none before a
// window manager has framed the window.
QMargins frameMargins(const QWidget &window);

// Centres the window's frame on the screen that guide is on. Until the
// window is framed, guide's frame is the best guess at the one it will get.
void centreOnScreen(QWidget &window, const QWidget &guide);

} // namespace WindowLayout
