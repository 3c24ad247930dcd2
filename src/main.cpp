#include "platform/DisplayGuard.h"
#include "ui/ErrorReport.h"
#include "platform/RandomSource.h"
#include "settings/QtSettingsStore.h"
#include "sound/SystemAudioBackend.h"
#include "platform/ExitSignals.h"
#include "ui/frmPlinkety.h"

#include <QIcon>
#include <exception>
#include <memory>

namespace {

// The closing clip lasts about half a second; a server that stops answering
// must not keep the program alive much longer than that.
constexpr int closingClipWaitMs = 2000;

int run(PlinketyApplication &app)
{
    // Signals are caught before anything is loaded, so that ending the
    // program from outside always goes through the window's close.
    ExitSignals exitSignals;
    const std::unique_ptr<AudioBackend> audio = createSystemAudioBackend();
    QtSettingsStore settings;
    ClockRandomSource random;

    frmPlinkety window(*audio, settings, random);
    QObject::connect(&exitSignals, &ExitSignals::closeRequested, &window, &frmPlinkety::requestClose);
    window.show();
    const int status = app.exec();

    // The window is gone; the closing clip is heard to its end.
    audio->waitUntilSilent(closingClipWaitMs);
    return status;
}

std::unique_ptr<PlinketyApplication> openApplication(int &argc, char **argv)
{
    const DisplayGuard guard;
    return std::make_unique<PlinketyApplication>(argc, argv);
}

} // namespace

int main(int argc, char **argv)
{
    const std::unique_ptr<PlinketyApplication> app = openApplication(argc, argv);
    PlinketyApplication::setOrganizationName(QStringLiteral("Plinkety"));
    PlinketyApplication::setApplicationName(QStringLiteral("Plinkety"));
    PlinketyApplication::setDesktopFileName(QStringLiteral("example.veltrano.Plinkety"));
    PlinketyApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/plinkety.ico")));
    try {
        return run(*app);
    } catch (const std::exception &error) {
        ErrorReport::report(error);
    }
}
