#include "frmPlinkety.h"

#include "AccessibleRole.h"
#include "AreaFrame.h"
#include "ErrorReport.h"
#include "PopLabel.h"
#include "SheetArea.h"
#include "WindowIcons.h"
#include "frmAbout.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPushButton>
#include <QResizeEvent>

namespace {

constexpr double menuBoxHeight = 255;
constexpr double statusBoxHeight = 285;
constexpr double buttonWidth = 615;
constexpr double buttonHeight = 195;
constexpr double quitButtonMargin = 200;

int px(double twips)
{
    return Twips::toPixelsRounded(twips);
}

} // namespace

frmPlinkety::frmPlinkety(AudioBackend &audio, SettingsStore &settings, RandomSource &random, QWidget *parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_random(random)
    , m_clips(audio)
    , lblPop(new PopLabel)
    , m_sheet(*this, *lblPop, m_clips, random)
    , m_saver(settings)
    , m_fitter(*this, [this] { applyPlacement(); })
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
    setWindowTitle(QStringLiteral("Plinkety"));
    // The larger sizes come once the window is on the screen (event()).
    setWindowIcon(WindowIcons::programDesign());
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(8.25);
    setFont(font);

    picMenuBox = new AreaFrame(QStringLiteral("Commands"), this);
    createButtons();

    picMain = new SheetArea(m_sheet, m_pictures, this);
    connect(picMain, &SheetArea::bubblePressed, this, &frmPlinkety::imgUnPopped_Click);

    picStatus = new AreaFrame(QStringLiteral("Status"), this);
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
        {QStringLiteral("Reset"), QStringLiteral("Click to get more bubbles. Oh Yeah!"), 120},
        {QStringLiteral("About"), QStringLiteral("About Plinkety."), 840},
        {QStringLiteral("Quit"), QStringLiteral("Enough stress relief for now."), 0}, // PlaceQuitButton
    }};
    const QPoint inner = picMenuBox->contentsRect().topLeft();
    for (qint16 index = 0; index < qint16(designs.size()); ++index) {
        auto *button = new QPushButton(designs[size_t(index)].caption, picMenuBox);
        button->setToolTip(designs[size_t(index)].toolTip);
        button->setFocusPolicy(Qt::ClickFocus); // not a tab stop
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setGeometry(QRect(inner + QPoint(px(designs[size_t(index)].left), 0),
                                  QSize(px(buttonWidth), px(buttonHeight))));
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
    const QRect menuBox(0, 0, client.width(), px(menuBoxHeight));
    const QRect statusBox(0, client.height() - px(statusBoxHeight), client.width(), px(statusBoxHeight));
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
    const float widthTwips = float(Twips::fromPixels(picMenuBox->width()));
    QRect sheet = picMain->geometry();
    sheet.setWidth(px(widthTwips));
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
    quit->move(picMenuBox->contentsRect().left() + px(left), quit->y());
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
        frmAbout about(*this);
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

QSizeF frmPlinkety::screenSizeTwips() const
{
    return Twips::screenSize();
}

QSizeF frmPlinkety::cellSizeTwips() const
{
    const QSize cell = m_pictures.cellSize();
    return QSizeF(Twips::fromPixels(cell.width()), Twips::fromPixels(cell.height()));
}

QSizeF frmPlinkety::sheetInnerSizeTwips() const
{
    const QSize inner = picMain->contentsRect().size();
    return QSizeF(Twips::fromPixels(inner.width()), Twips::fromPixels(inner.height()));
}

void frmPlinkety::bubblesCreated()
{
    picMain->update();
}

void frmPlinkety::RepaintBubble(qint16 k)
{
    picMain->repaintBubble(k);
}

void frmPlinkety::bubblesRestored()
{
    picMain->update();
}
