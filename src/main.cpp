#include "platform/CommandLine.h"
#include "platform/DesktopSession.h"
#include "platform/RandomSource.h"
#include "platform/Translations.h"
#include "settings/QtSettingsStore.h"
#include "sound/SoundClips.h"
#include "sound/SystemAudioBackend.h"
#include "ui/ErrorReport.h"
#include "ui/WindowIcons.h"
#include "ui/frmPlinkety.h"

#include <QApplication>
#include <algorithm>
#include <memory>

namespace {

// The closing clip lasts about half a second; a server that stops answering
// must not keep the program alive much longer than that.
constexpr int closingClipWaitMs = 2000;

int run(QApplication &app, AudioBackend &audio, DesktopSession &session)
{
    // Close requests are watched before anything is loaded, so that ending
    // the program from outside always goes through the window's close.
    session.watchCloseRequests();
    QtSettingsStore settings;
    ClockRandomSource random;

    frmPlinkety window(audio, settings, random);
    QObject::connect(&session, &DesktopSession::closeRequested, &window, &frmPlinkety::requestClose);
    window.show();
    session.watchWindow(window.windowHandle());
    const int status = app.exec();

    // The window is gone; the closing clip is heard to its end.
    audio.waitUntilSilent(closingClipWaitMs);
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    const CommandLine::Reading command = CommandLine::read(argc, argv);
    if (command.endStatus)
        return *command.endStatus;
    DesktopSession session;
    // Connecting to the sound server goes on beside Qt's start, so that it is
    // done by the time the greeting sounds.
    const std::unique_ptr<AudioBackend> audio = createSystemAudioBackend();
    SoundClips::PrepareGreeting(*audio);
    // Qt's font database is read beside the window's load, before its first text.
    const std::unique_ptr<QApplication> app = session.openApplication<QApplication>(argc, argv, command.displayChosen);
    QApplication::setOrganizationName(QStringLiteral("Plinkety"));
    QApplication::setApplicationName(QStringLiteral("Plinkety"));
    QApplication::setDesktopFileName(QStringLiteral("example.veltrano.Plinkety"));
    QApplication::setWindowIcon(WindowIcons::programDesign());
    // The user's language, where the program speaks it, before any text is made.
    Translations::install();
    int status = 1;
    // A run-time error while the window loads (before any event) is reported
    // like one in an event's handler.
    ErrorReport::guard([&] { status = run(*app, *audio, session); });
    session.end();
    // Pops that could not be saved were told of; the status says so too.
    return std::max(status, ErrorReport::exitStatus());
}
