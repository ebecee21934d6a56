#include "CommonDialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>

#include <memory>

#include "MsgBox.h"
#include "core/ProgramFolder.h"

namespace {

std::function<QString(const QString&)> g_answerer;
QString g_lastFolder;
QString g_lastOffered;

// The filter a list starts with, which the dialog selects first.
QString FirstFilter(const QString& filters)
{
    return filters.section(QStringLiteral(";;"), 0, 0);
}

// Remembers where the user found a file, for the next dialog of this run.
std::optional<QString> Chosen(const QString& path)
{
    if (path.isEmpty()) {
        return std::nullopt;
    }
    g_lastFolder = QFileInfo(path).absolutePath();
    return path;
}

std::optional<QString> Scripted(const QString& kind)
{
    const QString answer = g_answerer(kind);
    if (answer.isEmpty()) {
        return std::nullopt;
    }
    return answer;
}

} // namespace

namespace CommonDialogs {

QString CancelErrorDescription()
{
    return QStringLiteral("キャンセルが選択されました。");
}

std::optional<QColor> ChooseColor(QWidget* parent)
{
    if (g_answerer) {
        const auto answer = Scripted(QStringLiteral("color"));
        return answer ? std::optional<QColor>(QColor(*answer)) : std::nullopt;
    }
    const QColor c = QColorDialog::getColor(Qt::white, parent);
    return c.isValid() ? std::optional<QColor>(c) : std::nullopt;
}

QString StartFolder()
{
    if (!g_lastFolder.isEmpty() && QFileInfo(g_lastFolder).isDir()) {
        return g_lastFolder;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) {
        return documents;
    }
    return QDir::homePath();
}

QString WithFilterEnding(const QString& name, const QString& selectedFilter)
{
    static const QRegularExpression OneEnding(QStringLiteral("\\(\\*(\\.[A-Za-z0-9]+)\\)$"));
    const QRegularExpressionMatch ending = OneEnding.match(selectedFilter.trimmed());
    if (!ending.hasMatch() || !QFileInfo(name).suffix().isEmpty()) {
        return name;
    }
    return name + ending.captured(1);
}

std::optional<QString> GetSaveFileName(QWidget* parent, const QString& filter, const QString& suggestedName)
{
    g_lastOffered = QDir(StartFolder()).filePath(suggestedName);
    QString selected = FirstFilter(filter);
    QString name;
    if (g_answerer) {
        name = Scripted(QStringLiteral("save")).value_or(QString());
    } else {
        name = QFileDialog::getSaveFileName(
            parent, QString(), g_lastOffered, filter, &selected, QFileDialog::DontConfirmOverwrite);
    }
    return Chosen(name.isEmpty() ? name : WithFilterEnding(name, selected));
}

std::optional<QString> GetOpenFileName(QWidget* parent, const QString& filter)
{
    g_lastOffered = StartFolder();
    if (g_answerer) {
        return Chosen(Scripted(QStringLiteral("open")).value_or(QString()));
    }
    return Chosen(QFileDialog::getOpenFileName(parent, QString(), g_lastOffered, filter));
}

QString LastOffered()
{
    return g_lastOffered;
}

void ForgetFolderForTests()
{
    g_lastFolder.clear();
    g_lastOffered.clear();
}

bool ShowPrintDialog(QWidget* parent, QPrinter& printer)
{
    if (g_answerer) {
        return Scripted(QStringLiteral("print")).has_value();
    }
    QPrintDialog dialog(&printer, parent);
    // No selection or page range: the whole graph goes to the printer. Printing to a PDF file stays offered,
    // since on a desktop without printers it is the only printer there is.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

void ShowPrintPreview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint)
{
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("printPreview"));
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* p) { paint(*p); });
    dialog.exec();
}

bool ShowPageSetup(QWidget* parent, QPrinter& printer)
{
    if (g_answerer) {
        return Scripted(QStringLiteral("pagesetup")).has_value();
    }
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QPrinter& ProgramPrinter()
{
    static std::unique_ptr<QPrinter> printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer;
}

void SetAnswerer(std::function<QString(const QString&)> answerer)
{
    g_answerer = std::move(answerer);
}

bool ConfirmOverwrite(QWidget* parent, const QString& path)
{
    if (!QFileInfo::exists(path)) {
        return true;
    }
    return MsgBox::Show(parent,
                        ProgramFolder::DisplayPath(path)
                            + QStringLiteral("\r\nこのファイルはすでに存在します。\r\n\r\n上書きしますか？"),
                        MsgBox::AppTitle(),
                        MsgBox::Icon::Question,
                        MsgBox::Buttons::YesNo,
                        MsgBox::Answer::No)
        == MsgBox::Answer::Yes;
}

} // namespace CommonDialogs
