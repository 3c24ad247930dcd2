#include "WindowLayout.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

QSize wrappedTextSize(const QLabel &label, int width)
{
    const QRect room(0, 0, width, QWIDGETSIZE_MAX);
    return label.fontMetrics().boundingRect(room, int(label.alignment()) | Qt::TextWordWrap, label.text()).size();
}

// The design sized each label for a number of lines of MS Sans Serif; the
// label keeps that many lines whatever font stands in for it.
int designLines(const QLabel &label)
{
    const double lines = double(label.height()) / label.fontMetrics().lineSpacing();
    return std::max(1, int(std::lround(lines)));
}

} // namespace

namespace WindowLayout {

QFont designFont(qreal pointSize, bool bold)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void fitLabelToText(QLabel &label, int clientWidth)
{
    const int maxHeight = designLines(label) * label.fontMetrics().lineSpacing();
    int width = label.width();
    QSize needed = wrappedTextSize(label, width);
    while ((needed.width() > width || needed.height() > maxHeight) && width < clientWidth)
        needed = wrappedTextSize(label, ++width);

    QRect fitted = label.geometry();
    if (label.alignment() & Qt::AlignHCenter)
        fitted.moveLeft(fitted.left() - (width - fitted.width()) / 2);
    fitted.setWidth(width);
    fitted.setHeight(std::max(fitted.height(), needed.height()));
    fitted.moveLeft(std::clamp(fitted.left(), 0, clientWidth - width));
    label.setGeometry(fitted);
}

QMargins frameMargins(const QWidget &window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}

void centreOnScreen(QWidget &window, const QWidget &guide)
{
    const QScreen *screen = guide.screen() ? guide.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QMargins frame = frameMargins(window);
    if (frame.isNull())
        frame = frameMargins(guide);
    QRect outer = window.geometry().marginsAdded(frame);
    outer.moveCenter(screen->geometry().center());
    window.setGeometry(outer.marginsRemoved(frame));
}

} // namespace WindowLayout
