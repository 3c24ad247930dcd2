#pragma once

#include "BubblePictures.h"
#include "FrameFitter.h"
#include "HandlerTurns.h"
#include "settings/CountSaver.h"
#include "settings/WindowPlacement.h"
#include "sheet/BubbleSheet.h"
#include "sheet/SheetWindow.h"
#include "sound/SoundClips.h"

#include <QWidget>
#include <array>

class AreaFrame;
class AudioBackend;
class PopLabel;
class QFrame;
class QPushButton;
class RandomSource;
class SettingsStore;
class SheetArea;

// The main window: the command strip, the sheet area and the status strip.
// It loads itself (clip table, placement, count, greeting, sheet) when it
// is constructed, and unloads (closing clip, settings) when it is closed.
class frmPlinkety final : public QWidget, private SheetWindow
{
    Q_OBJECT

public:
    frmPlinkety(AudioBackend &audio, SettingsStore &settings, RandomSource &random, QWidget *parent = nullptr);
    ~frmPlinkety() override;

    // What the About window uses of the main window.
    qint32 numPopped() const { return m_sheet.numPopped(); }
    void UnloadGrunt();

    // Closes the window through Form_Unload, for a signal or the session's
    // end; a modal window still open is closed first.
    void requestClose();
    // The session may be about to end, or the logout may yet be cancelled:
    // the pops and the place are saved, and nothing closes, sounds or asks.
    void commitData();

    const BubbleSheet &sheet() const { return m_sheet; }
    SheetArea *sheetArea() const { return picMain; }
    QPushButton *button(int index) const { return btnMain[size_t(index)]; }
    QFrame *menuBox() const;
    QFrame *statusBox() const;
    PopLabel *statusLabel() const { return lblPop; }

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Start-up and close.
    void Form_Load();
    void Form_Unload();
    void unloadNow();
    void applyPlacement();
    WindowPlacement presentPlacement() const;
    void saveSettings();

    // Layout.
    void createControls();
    void createButtons();
    void layoutAreas();
    void setSheetGeometry(const QRect &geometry);
    void picMenuBox_Resize();
    void picMain_Resize();
    void PlaceQuitButton();

    // Commands and pops.
    void btnMain_Click(qint16 index);
    void imgUnPopped_Click(qint16 index);

    // What the sheet asks of the window.
    QSizeF screenSizeTwips() const override;
    QSizeF cellSizeTwips() const override;
    QSizeF sheetInnerSizeTwips() const override;
    void bubblesCreated() override;
    void RepaintBubble(qint16 k) override;
    void bubblesRestored() override;

    SettingsStore &m_settings;
    RandomSource &m_random;
    SoundClips m_clips;
    BubblePictures m_pictures;

    AreaFrame *picMenuBox = nullptr;
    std::array<QPushButton *, 3> btnMain {};
    SheetArea *picMain = nullptr;
    AreaFrame *picStatus = nullptr;
    PopLabel *lblPop = nullptr;

    BubbleSheet m_sheet;

    CountSaver m_saver;          // keeps the count on disk while the window is open
    bool m_fullIconSet = false;  // the icon's larger sizes, given after the first frame
    WindowPlacement m_placement; // as read and corrected at start-up
    FrameFitter m_fitter;        // brings the frame to m_placement once shown
    bool m_laidOut = false;
    HandlerTurns m_turns;
};
