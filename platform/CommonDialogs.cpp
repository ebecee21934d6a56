#include "CommonDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

#include "MsgBox.h"
#include "ProgramFolder.h"

namespace {

std::function<QString(const QString&)> g_answerer;

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

std::optional<QString> GetSaveFileName(QWidget* parent, const QString& filter)
{
    if (g_answerer) {
        return Scripted(QStringLiteral("save"));
    }
    const QString name = QFileDialog::getSaveFileName(
        parent, QString(), QString(), filter, nullptr, QFileDialog::DontConfirmOverwrite);
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

std::optional<QString> GetOpenFileName(QWidget* parent, const QString& filter)
{
    if (g_answerer) {
        return Scripted(QStringLiteral("open"));
    }
    const QString name = QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
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
