#pragma once

#include "BubblePictures.h"
#include "HandlerTurns.h"
#include "WindowPlacer.h"
#include "settings/CountSaver.h"
#include "sheet/BubbleSheet.h"
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
class frmPlinkety final : public QWidget
{
    Q_OBJECT

public:
    frmPlinkety(AudioBackend &audio, SettingsStore &settings, RandomSource &random, QWidget *parent = nullptr);
    ~frmPlinkety() override;

    qint32 numPopped() const { return m_sheet.numPopped(); }

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
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Start-up and close.
    void Form_Load();
    void Form_Unload();
    void UnloadGrunt();
    void unloadNow();
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

    CountSaver m_saver;     // keeps the count on disk while the window is open
    WindowPlacer *m_placer; // a child: it watches the window's own events
    bool m_laidOut = false;
    HandlerTurns m_turns;
};
