#include "CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "kirvo_version.h"

namespace CommandLine {

namespace {

QString VersionText()
{
    return QStringLiteral("kirvo %1.%2.%3\n")
        .arg(KIRVO_VERSION_MAJOR)
        .arg(KIRVO_VERSION_MINOR)
        .arg(KIRVO_VERSION_REVISION);
}

// The usage text, naming the program as it was called.
QString Usage(const QString& program)
{
    return QStringLiteral("Usage: %1 [--help | --version]\n"
                          "Draws the biorhythm curves of the people you choose (interface in Japanese).\n"
                          "\n"
                          "  -h, --help     show this help and end\n"
                          "  -v, --version  show the version and end\n"
                          "\n"
                          "Without an argument the main window opens (the people list first, on a first run).\n")
        .arg(QFileInfo(program).fileName());
}

} // namespace

Outcome Parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's own single-dash words, such as the session manager's -session on a restored login, read whole.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    // A desktop session that restores the program passes the session it belongs to; the toolkit reads it.
    const QCommandLineOption session(QStringLiteral("session"), QString(), QStringLiteral("id"));
    parser.addOptions({help, version, session});

    const QString program = arguments.value(0, QStringLiteral("kirvo"));
    Outcome outcome;
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString why = parser.errorText().isEmpty()
            ? QStringLiteral("unexpected argument: ") + parser.positionalArguments().constFirst()
            : parser.errorText();
        outcome.start = false;
        outcome.exitCode = 2;
        outcome.err = QFileInfo(program).fileName() + QStringLiteral(": ") + why + QLatin1Char('\n') + Usage(program);
    } else if (parser.isSet(help)) {
        outcome.start = false;
        outcome.out = Usage(program);
    } else if (parser.isSet(version)) {
        outcome.start = false;
        outcome.out = VersionText();
    }
    return outcome;
}

} // namespace CommandLine
