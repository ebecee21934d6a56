#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef KIRVO_PRODUCT_NAME
#error "KIRVO_PRODUCT_NAME must be defined by the build"
#endif

namespace {
QString g_folderForTests;
QString g_dataFolder;
} // namespace

namespace ProgramFolder {

QString Get()
{
    return g_dataFolder.isEmpty() ? Executable() : g_dataFolder;
}

QString Executable()
{
    return g_folderForTests.isEmpty() ? QCoreApplication::applicationDirPath() : g_folderForTests;
}

void SetForTests(const QString& folder)
{
    g_folderForTests = folder;
    g_dataFolder.clear();
}

QString UserDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString ChooseDataFolder(const QString& programFolder, const QString& userFolder, QString* note)
{
    const QFileInfo folder(programFolder);
    const QFileInfo settings(CompanionFile(programFolder, QStringLiteral(".ini")));
    if ((folder.isDir() && folder.isWritable()) || (settings.isFile() && settings.isWritable())) {
        return programFolder;
    }
    if (userFolder.isEmpty() || !QDir().mkpath(userFolder)) {
        *note = QStringLiteral("cannot create the data folder ") + DisplayPath(userFolder)
            + QStringLiteral("; the files beside the program stay in use");
        return programFolder;
    }
    for (const char* extension : {".ini", ".dat"}) {
        const QString seed = CompanionFile(programFolder, QLatin1String(extension));
        const QString copy = CompanionFile(userFolder, QLatin1String(extension));
        // QFile::copy fills a temporary file and renames it, so a copy is whole or absent. The copy belongs to
        // the user, who must be able to rewrite it whatever the administrator's file allowed.
        if (QFileInfo(seed).isFile() && !QFileInfo::exists(copy) && QFile::copy(seed, copy)) {
            QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
    }
    return userFolder;
}

void UseDataFolder(const QString& folder)
{
    g_dataFolder = folder;
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
