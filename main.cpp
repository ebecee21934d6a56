#include <QApplication>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>

#include <cstdio>

#include "app/CommandLine.h"
#include "app/basMain.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/SafeFile.h"
#include "platform/core/SessionEnd.h"
#include "windows/AppStartup.h"
#include "windows/MainWindows.h"

int main(int argc, char* argv[])
{
    // --help and --version answer before the window system is touched, so they work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const CommandLine::Outcome commandLine = CommandLine::Parse(arguments);
    if (!commandLine.start) {
        std::fputs(commandLine.out.toLocal8Bit().constData(), stdout);
        std::fputs(commandLine.err.toLocal8Bit().constData(), stderr);
        return commandLine.exitCode;
    }

    // A write past a size limit the user set must fail and be reported like a full disk, not end the program.
    SafeFile::ReportSizeLimitAsFailure();

    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramFolder::ProductName());

    // Qt's own buttons and dialogs speak Japanese like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

    // The program ends when its main window unloads, not when its last visible window closes: the
    // notification-area window is often hidden while a dialog or the version box closes.
    QApplication::setQuitOnLastWindowClosed(false);
    MainWindows::SetEndProgram([] { QCoreApplication::quit(); });

    // A logout or shutdown ends the program like closing its window, so nothing of the session is lost.
    SessionEnd::Watch(&MainWindows::EndSession);
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &app, [](QSessionManager&) { MainWindows::CommitSession(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app, [] { MainWindows::UnloadAtQuit(); });

    AppStartup startup;
    if (!basMain::Main(startup, ProgramFolder::Executable(), ProgramFolder::UserDataFolder())) {
        return 0;
    }
    return QApplication::exec();
}
