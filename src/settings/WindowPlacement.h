#pragma once

#include <QList>
#include <QRectF>
#include <QString>

class SettingsStore;

// The window's outer frame in twips, single precision, exactly as the
// settings store keeps it under "Top", "Left", "Height" and "Width".
struct WindowPlacement
{
    float top = 200.0f;
    float left = 200.0f;
    float height = 3500.0f;
    float width = 4500.0f;

    bool operator==(const WindowPlacement &) const = default;

    // Each value as the leading number of its stored text; the defaults
    // above where a key holds nothing.
    static WindowPlacement read(SettingsStore &store);
    void write(SettingsStore &store) const;

    // Keeps the top-left corner from lying above or left of the screen.
    void correctCorner();
    // A width or height too small to hold the two strips, a button and a
    // row of bubbles (or no number at all) opens at its design size.
    void correctTooSmall();
    // Keeps the window from being taller or wider than the screen.
    void correctSize(QSizeF screenTwips);
    // A frame that overlaps no screen's available area (a monitor that is
    // gone) could never be reached: it goes to 200, 200.
    void bringOntoScreen(const QList<QRectF> &availableTwips);
};

namespace PlacementText {

// The shortest decimal text that reads back as the same single-precision value.
QString fromSingle(float value);

} // namespace PlacementText
