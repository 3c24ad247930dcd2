#include "WindowIcons.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

// Waits for the window's first paint, then gives it every size once.
class LateSizes : public QObject
{
public:
    explicit LateSizes(QWidget &window)
        : QObject(&window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            auto *window = static_cast<QWidget *>(watched);
            QTimer::singleShot(0, window, [window] { window->setWindowIcon(WindowIcons::program()); });
            deleteLater();
        }
        return false;
    }
};

} // namespace

namespace WindowIcons {

QIcon programDesign()
{
    return QIcon(QStringLiteral(":/icons/plinkety.ico"));
}

QIcon program()
{
    QIcon icon = programDesign();
    // Every hicolor size but 32, which the design's own picture fills.
    for (int size : {16, 22, 24, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/plinkety.png").arg(size), QSize(size, size));
    return icon;
}

void giveProgramIcon(QWidget &window)
{
    window.setWindowIcon(programDesign());
    new LateSizes(window);
}

QIcon about()
{
    QIcon icon(QStringLiteral(":/icons/about.ico"));
    icon.addFile(QStringLiteral(":/icons/about@2x.png"), QSize(64, 64));
    icon.addFile(QStringLiteral(":/icons/about@3x.png"), QSize(96, 96));
    return icon;
}

} // namespace WindowIcons
