#include "platform/Resources.h"
#include "platform/RuntimeError.h"
#include "support/ErrorCode.h"
#include "support/RecordingBackend.h"
#include "sound/SoundClips.h"

#include <QTest>

using Mode = AudioBackend::Mode;

class TestSoundClips : public QObject
{
    Q_OBJECT

private slots:
    void theTableNamesEachRoleItsClip();
    void everyEntryPlaysItsClipInTheModeAsked_data();
    void everyEntryPlaysItsClipInTheModeAsked();
    void everyPlayReplacesTheBufferBeforeItSounds();
    void theBufferIsEmptyUntilTheFirstPlay();
    void theGreetingLoadsOnceAndPlaysTheBufferThreeTimes();
    void aMissingClipIsARunTimeError();
};

void TestSoundClips::theTableNamesEachRoleItsClip()
{
    RecordingBackend backend;
    SoundClips clips(backend);
    clips.FillTable();
    const QList<qint16> expected {103, 104, 101, 105, 106, 107, 102, 108};
    QList<qint16> table;
    for (int entry = 0; entry < 8; ++entry)
        table.append(clips.clipId(entry));
    QCOMPARE(table, expected);
    QCOMPARE(clips.clipId(SoundClips::Pop0), 103);
    QCOMPARE(clips.clipId(SoundClips::Unused), 106);
    QCOMPARE(clips.clipId(SoundClips::Closing), 107);
    QCOMPARE(clips.clipId(SoundClips::Reset), 102);
    QCOMPARE(clips.clipId(SoundClips::Cheer), 108);
    QVERIFY(backend.plays().isEmpty());
}

void TestSoundClips::everyEntryPlaysItsClipInTheModeAsked_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("synchronous");
    const int ids[] = {103, 104, 101, 105, 106, 107, 102, 108};
    for (int entry = 0; entry < 8; ++entry) {
        QTest::addRow("entry %d, asynchronous", entry) << entry << ids[entry] << false;
        QTest::addRow("entry %d, synchronous", entry) << entry << ids[entry] << true;
    }
}

void TestSoundClips::everyEntryPlaysItsClipInTheModeAsked()
{
    QFETCH(int, entry);
    QFETCH(int, id);
    QFETCH(bool, synchronous);
    const Mode mode = synchronous ? Mode::Synchronous : Mode::Asynchronous;
    RecordingBackend backend;
    SoundClips clips(backend);
    clips.FillTable();

    clips.PlayClip(entry, mode);

    QCOMPARE(backend.plays().size(), 1);
    const QByteArray resource = Resources::LoadResData(qint16(id));
    QVERIFY(resource.startsWith("RIFF"));
    QCOMPARE(backend.plays().first().waveImage, resource);
    QCOMPARE(backend.plays().first().mode, mode);
    QCOMPARE(clips.buffer(), resource);
}

void TestSoundClips::everyPlayReplacesTheBufferBeforeItSounds()
{
    RecordingBackend backend;
    SoundClips clips(backend);
    clips.FillTable();
    QList<QByteArray> bufferAtPlay;
    backend.onPlay = [&](const RecordingBackend::Play &) { bufferAtPlay.append(clips.buffer()); };

    const int entries[] = {SoundClips::Reset, SoundClips::Pop3, SoundClips::Cheer, SoundClips::Pop3, SoundClips::Closing};
    for (const int entry : entries)
        clips.PlayClip(entry, Mode::Asynchronous);

    QCOMPARE(bufferAtPlay.size(), 5);
    for (int i = 0; i < 5; ++i) {
        const QByteArray resource = Resources::LoadResData(clips.clipId(entries[i]));
        QCOMPARE(bufferAtPlay[i], resource);
        QCOMPARE(backend.plays()[i].waveImage, resource);
    }
    // The whole resource, not appended to or overlaid on the longer clip before.
    QCOMPARE(clips.buffer().size(), Resources::LoadResData(107).size());
    clips.PlayClip(SoundClips::Pop3, Mode::Asynchronous);
    QCOMPARE(clips.buffer(), Resources::LoadResData(105));
}

void TestSoundClips::theBufferIsEmptyUntilTheFirstPlay()
{
    RecordingBackend backend;
    SoundClips clips(backend);
    clips.FillTable();
    QVERIFY(clips.buffer().isEmpty());
}

void TestSoundClips::theGreetingLoadsOnceAndPlaysTheBufferThreeTimes()
{
    RecordingBackend backend;
    SoundClips clips(backend);
    clips.FillTable();

    clips.LoadClip(SoundClips::Pop0);
    QVERIFY(backend.plays().isEmpty());
    for (int i = 0; i < 3; ++i)
        clips.PlayBuffer(Mode::Synchronous);

    QCOMPARE(backend.plays().size(), 3);
    for (const RecordingBackend::Play &play : backend.plays()) {
        QCOMPARE(play.waveImage, Resources::LoadResData(103));
        QCOMPARE(play.mode, Mode::Synchronous);
    }
}

void TestSoundClips::aMissingClipIsARunTimeError()
{
    QCOMPARE(errorCodeOf([] { Resources::LoadResData(999); }), RuntimeError::ResourceNotFound);
    // Ids 101 to 108 are exactly the clips there are.
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Resources::LoadResData(100));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Resources::LoadResData(109));
}

QTEST_GUILESS_MAIN(TestSoundClips)
#include "tst_soundclips.moc"
