#pragma once

#include "FakeRandom.h"
#include "FakeSheetWindow.h"
#include "sheet/BubbleSheet.h"
#include "support/RecordingBackend.h"
#include "sound/SoundClips.h"

// A sheet wired to a fake window, a recording sound back end and a
// scripted random source, with every play written into the same log.
struct SheetFixture
{
    FakeSheetWindow window;
    RecordingBackend audio;
    SoundClips clips {audio};
    FakeRandom random;
    BubbleSheet sheet {window, window, clips, random};
    QStringList log;

    SheetFixture()
    {
        clips.FillTable();
        window.log = &log;
        audio.onPlay = [this](const RecordingBackend::Play &play) {
            log.append(QStringLiteral("play %1%2").arg(clipOf(play.waveImage))
                           .arg(play.mode == AudioBackend::Mode::Synchronous ? " sync" : ""));
        };
    }

    QList<int> playedClips() const
    {
        QList<int> ids;
        for (const auto &play : audio.plays())
            ids.append(clipOf(play.waveImage));
        return ids;
    }

    // Pops the next unpopped bubble, from the top-left down the columns.
    void popNext()
    {
        for (qint16 k = 1; k <= sheet.numBubbles(); ++k) {
            if (sheet.isUnpopped(k)) {
                sheet.PopBubble(k);
                return;
            }
        }
    }
};
