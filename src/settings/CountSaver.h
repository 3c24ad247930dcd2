#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QThread;
class SettingsStore;

// Keeps the lifetime count safe while the program runs. Once the pops stop
// for a moment, and at the latest a second and a half after the first one
// not yet saved, the pops made since the last save are added to the count
// on disk with the same lock-and-add as at the close, so that two programs
// still add up. The save runs on a thread of its own (where the store has a
// twin), so no click waits for the disk. One that fails is tried again at
// the next pause; the close tells the user if it still fails.
class CountSaver : public QObject
{
    Q_OBJECT

public:
    explicit CountSaver(SettingsStore &store, QObject *parent = nullptr);
    // Waits for a save under way.
    ~CountSaver() override;

    // A pop was made: countNow is the count with it.
    void popped(qint32 countNow);
    // Waits for a save under way; then saved() is what is on disk, and
    // what is left to the close to save.
    void finish();
    // The count as the last save left it on disk.
    qint32 saved() const { return m_saved; }
    // The count is on disk as it is now: read at the start, or saved at the close.
    void reset(qint32 count) { m_saved = m_countNow = count; }
    // Why the last save failed; empty where it did not.
    QString failure() const { return m_failure; }

private:
    struct Result
    {
        bool written = false;
        QString whyNot;
    };

    void save();
    static Result addPops(SettingsStore &store, qint32 pops) noexcept;
    void saveDone();

    SettingsStore &m_store;
    qint32 m_saved = 0;
    qint32 m_countNow = 0;
    QTimer m_pause;
    QElapsedTimer m_firstUnsaved;
    QThread *m_saving = nullptr;
    qint32 m_countSaving = 0; // the count the save under way puts on disk
    Result m_result;          // filled by the save's thread, read once it has ended
    QString m_failure;
};
