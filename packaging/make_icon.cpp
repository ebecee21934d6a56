// Writes the program icon as a PNG file for the desktop entry: make_icon <file.png> <size>.
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "platform/AppIcon.h"

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool ok = false;
    const int size = args.size() == 3 ? args[2].toInt(&ok) : 0;
    if (!ok || size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: make_icon <file.png> <size 16-1024>\n");
        return 2;
    }
    if (!AppIcon::Render(size).save(args[1], "PNG")) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
