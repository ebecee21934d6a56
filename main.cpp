#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/basMain.h"
#include "platform/ProgramFolder.h"
#include "windows/AppStartup.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramFolder::ProductName());

    // Qt's own buttons and dialogs speak Japanese like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

    AppStartup startup;
    if (!basMain::Main(startup, ProgramFolder::Get())) {
        return 0;
    }
    return QApplication::exec();
}
