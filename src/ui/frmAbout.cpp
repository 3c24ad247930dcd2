#include "frmAbout.h"

#include "BubbleImage.h"
#include "ErrorReport.h"
#include "PlinketyVersion.h"
#include "ReadOnlyTextBox.h"
#include "WindowIcons.h"
#include "WindowLayout.h"
#include "platform/Resources.h"
#include "platform/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

// The window's web address: the maker's own domain.
const QString webAddress = QStringLiteral("www.veltrano.example");

void setTextColour(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

} // namespace

using WindowLayout::designFont;

frmAbout::frmAbout(QWidget &owner, qint32 numPopped, std::function<void()> playClosingClip)
    : QDialog(&owner)
    , m_owner(owner)
    , m_numPopped(numPopped)
    , m_playClosingClip(std::move(playClosingClip))
{
    // A fixed dialog: caption, icon and close control, nothing to minimize or maximize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("About Plinkety"));
    setWindowIcon(WindowIcons::about());
    setFont(designFont());
    setFixedSize(Twips::toPixels(QSizeF(designWidth, designHeight)));

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
    label->setGeometry(Twips::toPixels(twips));
    return label;
}

void frmAbout::createTitleLabels()
{
    const QColor red(255, 0, 0);
    //: The window's heading: the program's name in quotation marks, in your language's own marks.
    Label1 = addLabel("Label1", tr("\"Plinkety\""), QRect(960, 120, 3375, 375), Qt::AlignHCenter);
    Label1->setFont(designFont(13.5, true));
    setTextColour(*Label1, red);

    //: One line, 217 pixels wide, under the heading.
    Label2 = addLabel("Label2", tr("The greatest stuff on earth!"), QRect(960, 600, 3255, 255),
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
    Label5->setAccessibleDescription(tr("Web address"));
}

void frmAbout::createRightColumn()
{
    lblPopped = addLabel("lblPopped", QString(), QRect(4560, 1200, 855, 255), Qt::AlignHCenter);
    lblPopped->setFont(designFont(8.25, true));
    //: Under the lifetime count, in two lines at most of 57 pixels.
    const QString popped = tr("Bubbles Popped!");
    lblPopped->setAccessibleDescription(popped);

    Label7 = addLabel("Label7", popped, QRect(4560, 1440, 855, 375), Qt::AlignHCenter);
    //: One line of 57 pixels. %1 is the version number, as 1.1.
    Label3 = addLabel("Label3", tr("Version %1").arg(QStringLiteral(PLINKETY_VERSION)), QRect(4560, 2520, 855, 255),
                      Qt::AlignHCenter);
    //: When the program was made; one line of 57 pixels.
    Label6 = addLabel("Label6", tr("July 1999"), QRect(4560, 2760, 855, 255), Qt::AlignHCenter);
}

void frmAbout::createTextBox()
{
    Text1 = new ReadOnlyTextBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    //: What a screen reader calls the text box of the notice.
    Text1->setAccessibleName(tr("Notice"));
    Text1->setGeometry(Twips::toPixels(QRectF(840, 1080, 3615, 1935)));
}

void frmAbout::createPictures()
{
    for (int k = 0; k < pictureCount; ++k) {
        auto *image = new BubbleImage(m_pictures, -1, this);
        image->setObjectName(QStringLiteral("imgUnPopped%1").arg(k));
        image->setGeometry(Twips::toPixels(QRectF(0, 600 * k, 750, 600)));
        image->setAccessibleName(tr("Bubble"));
        image->setAccessibleDescription(tr("Click to hear the closing sound"));
        connect(image, &BubbleImage::clicked, this, [this, k] { ErrorReport::guard([&] { imgUnPopped_Click(qint16(k)); }); });
        imgUnPopped[size_t(k)] = image;
    }
}

void frmAbout::createCloseButton()
{
    //: A button 57 pixels wide.
    Command1 = new QPushButton(tr("Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    // Neither default nor cancel: Enter closes only while Close has the focus.
    Command1->setAutoDefault(false);
    Command1->setDefault(false);
    Command1->setGeometry(Twips::toPixels(QRectF(4560, 3120, 855, 375)));
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
}

void frmAbout::fitLabelsToText()
{
    for (QLabel *label : {Label1, Label2, Label4, Label5, lblPopped, Label7, Label3, Label6})
        WindowLayout::fitLabelToText(*label, width());
}

void frmAbout::Form_Load()
{
    const QString notice = Resources::LoadResString(101) + QStringLiteral("\r\n\r\n") + Resources::LoadResString(103);
    Text1->setText(notice);
    lblPopped->setText(QString::number(m_numPopped));
}

void frmAbout::Command1_Click()
{
    close();
}

void frmAbout::imgUnPopped_Click(qint16 Index)
{
    Q_UNUSED(Index);
    if (m_playClosingClip)
        m_playClosingClip();
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
        WindowLayout::centreOnScreen(*this, m_owner);
}

#include "moc_frmAbout.cpp"
