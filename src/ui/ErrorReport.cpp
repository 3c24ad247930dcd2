#include "ErrorReport.h"

#include "platform/Log.h"
#include "platform/ProcessEnd.h"
#include "platform/RuntimeError.h"

#include <QApplication>
#include <QMessageBox>

namespace ErrorReport {

namespace {

QString describe(const std::exception &error)
{
    if (auto runtime = dynamic_cast<const RuntimeError *>(&error)) {
        //: %1 is the error's number, %2 what went wrong.
        return QCoreApplication::translate("ErrorReport", "Run-time error '%1':\n\n%2")
            .arg(QString::number(runtime->code()), runtime->message());
    }
    //: %1 says what went wrong.
    return QCoreApplication::translate("ErrorReport", "Run-time error:\n\n%1")
        .arg(QString::fromLocal8Bit(error.what()));
}

int warnings = 0;

// One line on stderr, and the message box where someone can answer it.
void tell(const QString &text, QMessageBox::Icon icon)
{
    qCWarning(lcWindow).noquote() << QString(text).replace(QStringLiteral("\n\n"), QStringLiteral(" "));
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) && !isHeadless())
        //: The program's name, as the title of its message boxes.
        QMessageBox(icon, QCoreApplication::translate("ErrorReport", "Plinkety"), text).exec();
}

} // namespace

void warn(const QString &text)
{
    ++warnings;
    tell(text, QMessageBox::Warning);
}

int exitStatus()
{
    return warnings > 0 ? 1 : 0;
}

bool isHeadless()
{
    const QString platform = QGuiApplication::platformName();
    return platform.isEmpty() || platform == u"offscreen" || platform == u"minimal";
}

void report(const std::exception &error)
{
    tell(describe(error), QMessageBox::Critical);
    // The program's state is not to be trusted after the error: end here,
    // without running further handlers or saving anything.
    ProcessEnd::now(1);
}

} // namespace ErrorReport
