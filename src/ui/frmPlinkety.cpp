#include "frmPlinkety.h"

#include "AccessibleRole.h"
#include "AreaFrame.h"
#include "ErrorReport.h"
#include "PopLabel.h"
#include "SheetArea.h"
#include "WindowIcons.h"
#include "WindowLayout.h"
#include "frmAbout.h"
#include "platform/RandomSource.h"
#include "platform/Twips.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QResizeEvent>

namespace {

constexpr double menuBoxHeight = 255;
constexpr double statusBoxHeight = 285;
constexpr double buttonWidth = 615;
constexpr double buttonHeight = 195;
constexpr double quitButtonMargin = 200;

} // namespace

frmPlinkety::frmPlinkety(AudioBackend &audio, SettingsStore &settings, RandomSource &random, QWidget *parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_random(random)
    , m_clips(audio)
    , picMain(new SheetArea(m_sheet, m_pictures))
    , lblPop(new PopLabel)
    , m_sheet(*picMain, *lblPop, m_clips, random)
    , m_saver(settings)
    , m_placer(new WindowPlacer(*this, [this] { layoutAreas(); }))
{
    createControls();
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { ErrorReport::guard([this] { commitData(); }); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { ErrorReport::guard([this] { Form_Unload(); }); });
    Form_Load();
}

frmPlinkety::~frmPlinkety() = default;

void frmPlinkety::createControls()
{
    AccessibleRole::set(this, QAccessible::Window);
    //: The program's name, as the main window's title.
    setWindowTitle(tr("Plinkety"));
    WindowIcons::giveProgramIcon(*this);
    setFont(WindowLayout::designFont());

    //: What a screen reader calls the strip of command buttons.
    picMenuBox = new AreaFrame(tr("Commands"), this);
    createButtons();

    picMain->setParent(this);
    connect(picMain, &SheetArea::bubblePressed, this, &frmPlinkety::imgUnPopped_Click);

    //: What a screen reader calls the strip that holds the status line.
    picStatus = new AreaFrame(tr("Status"), this);
    lblPop->setParent(picStatus);
    lblPop->move(picStatus->contentsRect().topLeft());

    setTabOrder(picMenuBox, picMain);
    setTabOrder(picMain, picStatus);
    picMenuBox->setFocus();
}

void frmPlinkety::createButtons()
{
    struct Design
    {
        QString caption;
        QString toolTip;
        double left;
    };
    const std::array<Design, 3> designs {{
        //: A button 41 pixels wide: keep it as short. It brings every bubble back.
        {tr("Reset"), tr("Click to get more bubbles. Oh Yeah!"), 120},
        //: A button 41 pixels wide: keep it as short. It opens the About window.
        {tr("About"), tr("About Plinkety."), 840},
        //: A button 41 pixels wide: keep it as short. It ends the program.
        {tr("Quit"), tr("Enough stress relief for now."), 0}, // PlaceQuitButton
    }};
    const QPoint inner = picMenuBox->contentsRect().topLeft();
    for (qint16 index = 0; index < qint16(designs.size()); ++index) {
        auto *button = new QPushButton(designs[size_t(index)].caption, picMenuBox);
        button->setToolTip(designs[size_t(index)].toolTip);
        button->setFocusPolicy(Qt::ClickFocus); // not a tab stop
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setGeometry(
            Twips::toPixels(QRectF(designs[size_t(index)].left, 0, buttonWidth, buttonHeight)).translated(inner));
        connect(button, &QPushButton::clicked, this,
                [this, index] { m_turns.run([this, index] { btnMain_Click(index); }); });
        btnMain[size_t(index)] = button;
    }
}

QFrame *frmPlinkety::menuBox() const
{
    return picMenuBox;
}

QFrame *frmPlinkety::statusBox() const
{
    return picStatus;
}

void frmPlinkety::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ErrorReport::guard([this] { layoutAreas(); });
}

// The strips are docked to the top and bottom edges, the sheet area to the
// left edge between them; its width is the command strip's business.
void frmPlinkety::layoutAreas()
{
    const QSize client = size();
    const QRect menuBox(0, 0, client.width(), Twips::toPixelsRounded(menuBoxHeight));
    const int statusHeight = Twips::toPixelsRounded(statusBoxHeight);
    const QRect statusBox(0, client.height() - statusHeight, client.width(), statusHeight);
    const bool menuBoxResized = !m_laidOut || picMenuBox->size() != menuBox.size();

    picMenuBox->setGeometry(menuBox);
    picStatus->setGeometry(statusBox);
    setSheetGeometry(QRect(0, menuBox.bottom() + 1, picMain->width(),
                           std::max(0, statusBox.top() - menuBox.bottom() - 1)));
    m_laidOut = true;
    if (menuBoxResized)
        picMenuBox_Resize();
}

void frmPlinkety::setSheetGeometry(const QRect &geometry)
{
    const bool resized = picMain->size() != geometry.size();
    picMain->setGeometry(geometry);
    if (resized)
        picMain_Resize();
}

void frmPlinkety::picMenuBox_Resize()
{
    PlaceQuitButton();
    QRect sheet = picMain->geometry();
    sheet.setWidth(picMenuBox->width());
    setSheetGeometry(sheet);
}

void frmPlinkety::picMain_Resize()
{
    m_sheet.CountVisible();
}

void frmPlinkety::PlaceQuitButton()
{
    // Measured from the strip's inner left edge, so 140 twips stay free at its right.
    const float left = float(Twips::fromPixels(picMenuBox->width())) - float(quitButtonMargin) - float(buttonWidth);
    QPushButton *quit = btnMain[2];
    quit->move(picMenuBox->contentsRect().left() + Twips::toPixelsRounded(left), quit->y());
}

void frmPlinkety::btnMain_Click(qint16 index)
{
    picMain->setFocus();
    switch (index) {
    case 0:
        m_sheet.ResetSheet();
        m_sheet.setNumSheetPops(0);
        break;
    case 1: {
        frmAbout about(*this, numPopped(), [this] { UnloadGrunt(); });
        about.exec();
        break;
    }
    case 2:
        unloadNow();
        break;
    default:
        break;
    }
}

void frmPlinkety::imgUnPopped_Click(qint16 index)
{
    m_turns.run([this, index] {
        m_sheet.PopBubble(index);
        m_saver.popped(numPopped());
    });
}

void frmPlinkety::Form_Load()
{
    m_clips.FillTable();

    m_placer->place(WindowPlacement::read(m_settings));
    m_sheet.setNumPopped(m_saver.load());
    lblPop->setText(StatusLabel::plainLine(numPopped()));
    m_placer->correct();

    // The greeting: three quick pops, one straight after the other, all
    // heard before the sheet is built and shown. While they sound, the
    // window's own system window is made, still hidden: Windows (and Wine
    // more so) takes longer over that than the pops last.
    m_clips.LoadClip(SoundClips::Pop0);
    m_clips.PlayBufferInARow(3, [this] { create(); });

    m_sheet.BuildSheet();
    m_random.seedFromClock();
    m_sheet.CountVisible();
}

void frmPlinkety::closeEvent(QCloseEvent *event)
{
    if (!m_turns.mayCloseNow()) {
        // Closed from outside while the About command runs: after it.
        event->ignore();
        m_turns.run([this] { unloadNow(); });
        return;
    }
    ErrorReport::guard([this] { Form_Unload(); });
    event->accept();
}

void frmPlinkety::unloadNow()
{
    m_turns.closeNow([this] { close(); });
}

void frmPlinkety::requestClose()
{
    // A modal window still open is closed first; the close follows its command.
    for (int i = 0; i < 8 && QApplication::activeModalWidget(); ++i)
        QApplication::activeModalWidget()->close();
    m_turns.run([this] { unloadNow(); });
}

void frmPlinkety::commitData()
{
    if (m_turns.state() != HandlerTurns::State::Unloaded)
        saveSettings();
}

void frmPlinkety::UnloadGrunt()
{
    m_clips.PlayClip(SoundClips::Closing, SoundClips::Mode::Asynchronous);
}

void frmPlinkety::Form_Unload()
{
    if (!m_turns.unload())
        return;
    UnloadGrunt();
    saveSettings();
}

void frmPlinkety::saveSettings()
{
    const WindowPlacement placement = m_placer->present();
    QString whyNot;
    if (m_saver.saveNow(numPopped(), [&placement](SettingsStore &store) { placement.write(store); }, &whyNot))
        return;
    if (!whyNot.isEmpty())
        whyNot[0] = whyNot[0].toUpper();
    //: %1 says why, as a sentence without its full stop.
    ErrorReport::warn(tr("The pop count and the window's place could not be saved:\n\n%1.").arg(whyNot));
}

#include "moc_frmPlinkety.cpp"
