// Raises an overflow where the program would: inside an event handler, or
// during start-up before the event loop runs.
#include "ui/ErrorReport.h"
#include "platform/RuntimeError.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool atStartUp = argc > 1 && QByteArrayView(argv[1]) == "startup";
    try {
        if (atStartUp)
            throw RuntimeError::overflow();
    } catch (const std::exception &error) {
        ErrorReport::report(error);
    }
    QTimer::singleShot(0, [] { ErrorReport::guard([] { throw RuntimeError::overflow(); }); });
    QTimer::singleShot(10, [] { std::puts("after the error"); });
    QTimer::singleShot(5000, &app, &QCoreApplication::quit);
    return app.exec();
}
