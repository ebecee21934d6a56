#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

#ifndef KIRVO_PRODUCT_NAME
#error "KIRVO_PRODUCT_NAME must be defined by the build"
#endif

namespace ProgramFolder {

QString Get()
{
    return QCoreApplication::applicationDirPath();
}

QString CompanionFile(const QString& folder, const QString& extension)
{
    QString path = folder;
    if (!path.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('\\'))) {
        path += QLatin1Char('/');
    }
    return path + ProductName() + extension;
}

QString DisplayPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString ProductName()
{
    return QStringLiteral(KIRVO_PRODUCT_NAME);
}

} // namespace ProgramFolder
