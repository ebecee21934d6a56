#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

#ifndef KIRVO_PRODUCT_NAME
#error "KIRVO_PRODUCT_NAME must be defined by the build"
#endif

namespace {
QString g_folderForTests;
}

namespace ProgramFolder {

QString Get()
{
    return g_folderForTests.isEmpty() ? QCoreApplication::applicationDirPath() : g_folderForTests;
}

void SetForTests(const QString& folder)
{
    g_folderForTests = folder;
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
