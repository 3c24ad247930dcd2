#include "frmAbout.h"

#include "BubbleImage.h"
#include "ErrorReport.h"
#include "ReadOnlyTextBox.h"
#include "WindowIcons.h"
#include "frmPlinkety.h"
#include "platform/Resources.h"
#include "platform/Twips.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

// The window's web address: the maker's own domain.
const QString webAddress = QStringLiteral("www.veltrano.example");

// The default user-interface font at a design size; 8.25 point regular is
// the nearest this platform has to the MS Sans Serif of the original design.
QFont designFont(qreal pointSize = 8.25, bool bold = false)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QRect twipsToPixels(const QRect &twips)
{
    return QRect(Twips::toPixelsRounded(twips.left()), Twips::toPixelsRounded(twips.top()),
                 Twips::toPixelsRounded(twips.width()), Twips::toPixelsRounded(twips.height()));
}

void setTextColour(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

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

// Widens a label whose text needs more room than its design gives it in
// this font, keeping its left edge or centre, and lets it grow downwards
// by what its lines need; it stays inside the window.
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

// The window frame's width on each side of the client area.
QMargins frameMargins(const QWidget &window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}

} // namespace

frmAbout::frmAbout(frmPlinkety &main)
    : QDialog(&main)
    , m_main(main)
{
    // A fixed dialog: caption, icon and close control, nothing to minimize or maximize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("About Plinkety"));
    setWindowIcon(WindowIcons::about());
    setFont(designFont());
    setFixedSize(Twips::toPixelsRounded(designWidth), Twips::toPixelsRounded(designHeight));

    // Created in the order a screen reader should read them.
    createTitleLabels();
    createTextBox();
    createMakerLabels();
    createRightColumn();
    createCloseButton();
    createPictures();
    setTabOrder(Text1, Command1);

    Form_Load();
    fitLabelsToText();
    Text1->setFocus();
}

QLabel *frmAbout::addLabel(const char *name, const QString &text, const QRect &twips, Qt::Alignment alignment)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setGeometry(twipsToPixels(twips));
    return label;
}

void frmAbout::createTitleLabels()
{
    const QColor red(255, 0, 0);
    Label1 = addLabel("Label1", QStringLiteral("\"Plinkety\""), QRect(960, 120, 3375, 375), Qt::AlignHCenter);
    Label1->setFont(designFont(13.5, true));
    setTextColour(*Label1, red);

    Label2 = addLabel("Label2", QStringLiteral("The greatest stuff on earth!"), QRect(960, 600, 3255, 255),
                      Qt::AlignHCenter);
    setTextColour(*Label2, red);
}

void frmAbout::createMakerLabels()
{
    Label4 = addLabel("Label4", QStringLiteral("Veltrano Computing Services"), QRect(840, 3120, 2895, 255),
                      Qt::AlignLeft);
    Label4->setFont(designFont(8.25, true));

    Label5 = addLabel("Label5", webAddress, QRect(840, 3360, 2295, 255), Qt::AlignLeft);
    setTextColour(*Label5, QColor(0, 0, 192));
    Label5->setAccessibleDescription(QStringLiteral("Web address"));
}

void frmAbout::createRightColumn()
{
    lblPopped = addLabel("lblPopped", QString(), QRect(4560, 1200, 855, 255), Qt::AlignHCenter);
    lblPopped->setFont(designFont(8.25, true));
    lblPopped->setAccessibleDescription(QStringLiteral("Bubbles Popped!"));

    Label7 = addLabel("Label7", QStringLiteral("Bubbles Popped!"), QRect(4560, 1440, 855, 375), Qt::AlignHCenter);
    Label3 = addLabel("Label3", QStringLiteral("Version 1.1"), QRect(4560, 2520, 855, 255), Qt::AlignHCenter);
    Label6 = addLabel("Label6", QStringLiteral("July 1999"), QRect(4560, 2760, 855, 255), Qt::AlignHCenter);
}

void frmAbout::createTextBox()
{
    Text1 = new ReadOnlyTextBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Notice"));
    Text1->setGeometry(twipsToPixels(QRect(840, 1080, 3615, 1935)));
}

void frmAbout::createPictures()
{
    for (int k = 0; k < pictureCount; ++k) {
        auto *image = new BubbleImage(m_pictures, -1, this);
        image->setObjectName(QStringLiteral("imgUnPopped%1").arg(k));
        image->setGeometry(twipsToPixels(QRect(0, 600 * k, 750, 600)));
        image->setAccessibleName(QStringLiteral("Bubble"));
        image->setAccessibleDescription(QStringLiteral("Click to hear the closing sound"));
        image->installEventFilter(this);
        imgUnPopped[k] = image;
    }
}

void frmAbout::createCloseButton()
{
    Command1 = new QPushButton(QStringLiteral("Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    // Neither default nor cancel: Enter closes only while Close has the focus.
    Command1->setAutoDefault(false);
    Command1->setDefault(false);
    Command1->setGeometry(twipsToPixels(QRect(4560, 3120, 855, 375)));
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
}

void frmAbout::fitLabelsToText()
{
    for (QLabel *label : {Label1, Label2, Label4, Label5, lblPopped, Label7, Label3, Label6})
        fitLabelToText(*label, width());
}

void frmAbout::Form_Load()
{
    const QString notice = Resources::LoadResString(101) + QStringLiteral("\r\n\r\n") + Resources::LoadResString(103);
    Text1->setText(notice);
    lblPopped->setText(QString::number(m_main.numPopped()));
}

void frmAbout::Command1_Click()
{
    close();
}

void frmAbout::imgUnPopped_Click(qint16 Index)
{
    Q_UNUSED(Index);
    m_main.UnloadGrunt();
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // The window has no cancel button: Escape does nothing.
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Nor a default button: Enter acts only on a focused Close.
        if (focusWidget() == Command1)
            Command1->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        centreOnScreen();
}

void frmAbout::centreOnScreen()
{
    const QScreen *screen = m_main.screen() ? m_main.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Until the window manager has framed this window, the main window's
    // frame is the best guess at the frame it will get.
    QMargins frame = frameMargins(*this);
    if (frame.isNull())
        frame = frameMargins(m_main);
    QRect outer = geometry().marginsAdded(frame);
    outer.moveCenter(screen->geometry().center());
    setGeometry(outer.marginsRemoved(frame));
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    const auto found = std::find(imgUnPopped.begin(), imgUnPopped.end(), watched);
    if (found == imgUnPopped.end())
        return QDialog::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_pressedPicture = mouse->button() == Qt::LeftButton ? watched : nullptr;
        return true;
    }
    case QEvent::MouseButtonDblClick:
        // The second press of a double click is not a click of its own.
        m_pressedPicture = nullptr;
        return true;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool click = m_pressedPicture == watched && mouse->button() == Qt::LeftButton
            && (*found)->rect().contains(mouse->position().toPoint());
        m_pressedPicture = nullptr;
        if (click)
            ErrorReport::guard([&] { imgUnPopped_Click(qint16(found - imgUnPopped.begin())); });
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}
