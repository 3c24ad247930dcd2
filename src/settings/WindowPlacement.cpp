#include "WindowPlacement.h"

#include "SettingsKeys.h"
#include "platform/Log.h"
#include "platform/TextConvert.h"
#include "SettingsStore.h"

#include <QRegularExpression>
#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

namespace {

// A text that is a decimal number and nothing else, blanks around it aside.
bool isPlainNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("\\A[ \\t]*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?[ \\t]*\\z"));
    return number.match(text).hasMatch();
}

float readSingle(SettingsStore &store, const QString &key, float defaultValue)
{
    const QString text = store.GetSetting(SettingsKeys::application(), SettingsKeys::section(), key,
                                          PlacementText::fromSingle(defaultValue));
    // A stored number beyond single precision must not become infinity.
    const double number = TextConvert::leadingNumber(text);
    const float value = float(std::clamp(number, double(-FLT_MAX), double(FLT_MAX)));
    if (!isPlainNumber(text) || std::abs(number) > double(FLT_MAX)) {
        qCWarning(lcSettings).noquote() << QStringLiteral("the stored \"%1\" value \"%2\" was unreadable; reading it as %3.")
                                               .arg(key, SettingsKeys::printable(text), PlacementText::fromSingle(value));
    }
    return value;
}

void writeSingle(SettingsStore &store, const QString &key, float value)
{
    store.SaveSetting(SettingsKeys::application(), SettingsKeys::section(), key, PlacementText::fromSingle(value));
}

} // namespace

WindowPlacement WindowPlacement::read(SettingsStore &store)
{
    WindowPlacement placement;
    placement.top = readSingle(store, QStringLiteral("Top"), placement.top);
    placement.left = readSingle(store, QStringLiteral("Left"), placement.left);
    placement.height = readSingle(store, QStringLiteral("Height"), placement.height);
    placement.width = readSingle(store, QStringLiteral("Width"), placement.width);
    return placement;
}

void WindowPlacement::write(SettingsStore &store) const
{
    writeSingle(store, QStringLiteral("Top"), top);
    writeSingle(store, QStringLiteral("Left"), left);
    writeSingle(store, QStringLiteral("Height"), height);
    writeSingle(store, QStringLiteral("Width"), width);
}

void WindowPlacement::correctCorner()
{
    if (top < 0)
        top = 200;
    if (left < 0)
        left = 200;
}

void WindowPlacement::correctTooSmall()
{
    // 100 pixels at 96 dots per inch, beside the frame's own.
    constexpr float smallest = 1500.0f;
    const WindowPlacement design;
    if (!(width >= smallest))
        width = design.width;
    if (!(height >= smallest))
        height = design.height;
}

void WindowPlacement::correctSize(QSizeF screenTwips)
{
    if (height > screenTwips.height())
        height = float(screenTwips.height() - 200);
    if (width > screenTwips.width())
        width = float(screenTwips.width() - 200);
}

void WindowPlacement::bringOntoScreen(const QList<QRectF> &availableTwips)
{
    if (availableTwips.isEmpty())
        return;
    // A frame of no size still has a corner somebody could reach: give it a pixel.
    const QRectF frame(left, top, std::max(width, 15.0f), std::max(height, 15.0f));
    const bool reachable = std::any_of(availableTwips.begin(), availableTwips.end(),
                                       [&](const QRectF &area) { return area.intersects(frame); });
    if (!reachable) {
        top = 200;
        left = 200;
    }
}

namespace PlacementText {

QString fromSingle(float value)
{
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    Q_ASSERT(error == std::errc());
    return QString::fromLatin1(text, end - text);
}

} // namespace PlacementText
