#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/basMain.h"
#include "platform/ProgramFolder.h"
#include "windows/AppStartup.h"
#include "windows/MainWindows.h"

int main(int argc, char* argv[])
{
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

    AppStartup startup;
    if (!basMain::Main(startup, ProgramFolder::Get())) {
        return 0;
    }
    return QApplication::exec();
}
