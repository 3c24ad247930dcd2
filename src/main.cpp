#include "platform/DisplayGuard.h"
#include "platform/ExitSignals.h"
#include "platform/FontWarmUp.h"
#include "platform/RandomSource.h"
#include "settings/QtSettingsStore.h"
#include "sound/SoundClips.h"
#include "sound/SystemAudioBackend.h"
#include "ui/ErrorReport.h"
#include "ui/WindowIcons.h"
#include "ui/frmPlinkety.h"

#include <QApplication>
#include <memory>

namespace {

// The closing clip lasts about half a second; a server that stops answering
// must not keep the program alive much longer than that.
constexpr int closingClipWaitMs = 2000;

int run(QApplication &app, AudioBackend &audio)
{
    // Signals are caught before anything is loaded, so that ending the
    // program from outside always goes through the window's close.
    ExitSignals exitSignals;
    QtSettingsStore settings;
    ClockRandomSource random;

    frmPlinkety window(audio, settings, random);
    QObject::connect(&exitSignals, &ExitSignals::closeRequested, &window, &frmPlinkety::requestClose);
    window.show();
    const int status = app.exec();

    // The window is gone; the closing clip is heard to its end.
    audio.waitUntilSilent(closingClipWaitMs);
    return status;
}

std::unique_ptr<QApplication> openApplication(int &argc, char **argv)
{
    const DisplayGuard guard;
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char **argv)
{
    FontWarmUp fonts;
    // Connecting to the sound server goes on beside Qt's start, so that it is
    // done by the time the greeting sounds.
    const std::unique_ptr<AudioBackend> audio = createSystemAudioBackend();
    SoundClips::PrepareGreeting(*audio);
    const std::unique_ptr<QApplication> app = openApplication(argc, argv);
    // Qt's font database is read beside the window's load, before its first text.
    fonts.applicationStarted();
    QApplication::setOrganizationName(QStringLiteral("Plinkety"));
    QApplication::setApplicationName(QStringLiteral("Plinkety"));
    QApplication::setDesktopFileName(QStringLiteral("example.veltrano.Plinkety"));
    QApplication::setWindowIcon(WindowIcons::programDesign());
    int status = 1;
    // A run-time error while the window loads (before any event) is reported
    // like one in an event's handler.
    ErrorReport::guard([&] { status = run(*app, *audio); });
    fonts.wait();
    return status;
}
