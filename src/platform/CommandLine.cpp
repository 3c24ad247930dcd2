#include "CommandLine.h"

#include "Log.h"
#include "PlinketyVersion.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// Qt's options for every program, and those of its X11 and widget layers;
// each that takes a value, followed by its value.
void addQtOptions(QCommandLineParser &parser)
{
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet",
                             "qmljsdebugger"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "nograb", "dograb", "sync", "widgetcount", "testability"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption help {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help and ends.")};
    QCommandLineOption version {{QStringLiteral("v"), QStringLiteral("version")},
                                QStringLiteral("Shows the program's version and ends.")};

    Parser()
    {
        // Qt's own options have one dash and long names.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(QStringLiteral("Pops the bubbles of a sheet of packing bubbles.\n"
                                                        "Qt's own options, such as -platform and -display, are taken too."));
        parser.addOption(help);
        parser.addOption(version);
        addQtOptions(parser);
    }
};

} // namespace

namespace CommandLine {

Reading read(int argc, char **argv)
{
    Parser options;
    QCommandLineParser &parser = options.parser;
    if (!parser.parse(argumentsOf(argc, argv))) {
        Log::writeLine(parser.errorText());
        return {2};
    }
    if (!parser.positionalArguments().isEmpty()) {
        Log::writeLine(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));
        return {2};
    }
    if (parser.isSet(options.version)) {
        std::printf("Plinkety %s\n", PLINKETY_VERSION);
        return {0};
    }
    if (parser.isSet(options.help)) {
        // The help names the program as it was called: it needs the
        // arguments an application object keeps, and nothing more.
        QCoreApplication application(argc, argv);
        std::printf("%s", qPrintable(parser.helpText()));
        return {0};
    }
    return {std::nullopt, parser.isSet(QStringLiteral("platform")) || parser.isSet(QStringLiteral("display"))};
}

} // namespace CommandLine
