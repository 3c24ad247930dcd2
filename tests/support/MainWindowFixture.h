#pragma once

// What the main window's tests share: the window built on a recording sound
// back end, a settings store in memory and a scripted random source, and
// presses where a user would press.

#include "support/FakeRandom.h"
#include "support/MemorySettingsStore.h"
#include "settings/SettingsKeys.h"
#include "sheet/BubbleSheet.h"
#include "support/RecordingBackend.h"
#include "ui/PopLabel.h"
#include "ui/SheetArea.h"
#include "ui/frmPlinkety.h"

#include <QPushButton>
#include <QTest>
#include <memory>

struct MainWindowFixture
{
    RecordingBackend audio;
    MemorySettingsStore settings;
    FakeRandom random {{0.0f, 0.3f, 0.6f, 0.9f}};
    std::unique_ptr<frmPlinkety> window;

    void store(const QString &key, const QString &value)
    {
        settings.SaveSetting(SettingsKeys::application(), SettingsKeys::section(), key, value);
    }
    QString stored(const QString &key)
    {
        return settings.GetSetting(SettingsKeys::application(), SettingsKeys::section(), key, QStringLiteral("<none>"));
    }
    bool holds(const QString &key) const
    {
        return settings.contains(SettingsKeys::application(), SettingsKeys::section(), key);
    }

    frmPlinkety &load()
    {
        window = std::make_unique<frmPlinkety>(audio, settings, random);
        return *window;
    }
    // Loads and shows the window; a client size of 0 x 0 keeps the stored one.
    frmPlinkety &start(QSize client = {})
    {
        load();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("the main window was not exposed");
        if (!client.isEmpty())
            resizeClient(client);
        return *window;
    }

    void resizeClient(QSize client)
    {
        window->resize(client);
        if (!QTest::qWaitFor([&] { return window->size() == client; }))
            qWarning("the main window did not take its new size");
    }

    const BubbleSheet &sheet() const { return window->sheet(); }
    SheetArea &sheetArea() const { return *window->sheetArea(); }
    QString status() const { return window->statusLabel()->text(); }

    // The middle of the part of bubble k that shows.
    QPoint centreOf(qint16 k) const { return (sheetArea().cellRect(k) & sheetArea().contentsRect()).center(); }
    void press(qint16 k) { QTest::mousePress(&sheetArea(), Qt::LeftButton, {}, centreOf(k)); }
    void click(qint16 k) { QTest::mouseClick(&sheetArea(), Qt::LeftButton, {}, centreOf(k)); }
    void clickButton(int index) { QTest::mouseClick(window->button(index), Qt::LeftButton); }

    // Clicks the next unpopped bubble that shows, if only in part.
    void popNextVisible()
    {
        const QRect inner = sheetArea().contentsRect();
        for (qint16 k = 1; k <= sheet().numBubbles(); ++k) {
            if (sheet().isUnpopped(k) && inner.intersects(sheetArea().cellRect(k))) {
                click(k);
                return;
            }
        }
        qWarning("no unpopped bubble left in view");
    }

    int playsOf(int clip, AudioBackend::Mode mode) const
    {
        int count = 0;
        for (const auto &play : audio.plays())
            count += clipOf(play.waveImage) == clip && play.mode == mode;
        return count;
    }
};
