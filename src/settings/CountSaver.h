#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <exception>
#include <functional>

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

    // The count on disk, read at the start: the pops are counted from it.
    qint32 load();
    // A pop was made: countNow is the count with it.
    void popped(qint32 countNow);
    // Adds the pops not yet on disk, with whatever alsoWrite puts in the
    // store, under one lock, as the close does. The window still paints while
    // another program holds the lock: the wait runs the event loop, with user
    // input held back. False, with whyNot, where the save failed; a count
    // that would pass its limit throws, as it would on the GUI thread.
    bool saveNow(qint32 countNow, const std::function<void(SettingsStore &)> &alsoWrite, QString *whyNot);
    // Waits for a save under way; then saved() is what is on disk.
    void finish();
    // The count as the last save left it on disk.
    qint32 saved() const { return m_saved; }
    // Why the last save failed; empty where it did not.
    QString failure() const { return m_failure; }

private:
    using Job = std::function<void(SettingsStore &)>;
    struct Result
    {
        bool written = false;
        QString whyNot;
        std::exception_ptr error;
    };

    void save();
    void start(qint32 countSaving, const Job &job);
    static Result run(SettingsStore &store, const Job &job) noexcept;
    void saveDone();

    SettingsStore &m_store;
    qint32 m_saved = 0;
    qint32 m_countNow = 0;
    QTimer m_pause;
    QElapsedTimer m_firstUnsaved;
    QThread *m_saving = nullptr;
    quint64 m_serial = 0;     // tells the save under way from earlier ones
    qint32 m_countSaving = 0; // the count the save under way puts on disk
    Result m_result;          // filled by the save's thread, read once it has ended
    QString m_failure;
};
