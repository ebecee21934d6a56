#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

/// The common dialogs: colour, file open and save, printer and page setup. Each returns nothing when the
/// user cancels. Tests tell them their next answer instead of showing them.
namespace CommonDialogs {

/// The cancel of a common dialog, reported as an error: a description and a number.
constexpr int CancelErrorNumber = 32755;
QString CancelErrorDescription();

/// The colour dialog, not preset to any colour.
std::optional<QColor> ChooseColor(QWidget* parent);

/// The save dialog with a filter list such as "ＣＳＶ(カンマ区切り) (*.csv);;すべてのファイル (*.*)", offering
/// suggestedName in the start folder. A name without an ending chosen through a filter of one ending gets that
/// ending. It does not ask about overwriting: the caller asks in its own words.
std::optional<QString>
GetSaveFileName(QWidget* parent, const QString& filter, const QString& suggestedName = QString());

/// For a chosen file that already exists, asks whether to overwrite it (the full path, "このファイルはすでに
/// 存在します。", "上書きしますか？"; Yes and No, No the default). True when the file is new or the answer is Yes.
bool ConfirmOverwrite(QWidget* parent, const QString& path);

/// The open dialog for an existing file.
std::optional<QString> GetOpenFileName(QWidget* parent, const QString& filter);

/// The folder the file dialogs start in: that of the last file chosen in this run, else the user's documents
/// folder, else the home folder.
QString StartFolder();

/// A name as saved through a filter: without an ending, it gets the filter's one ending ("*.csv": ".csv").
QString WithFilterEnding(const QString& name, const QString& selectedFilter);

/// Test seams: the path the last file dialog offered (its start folder, with the suggested name); the
/// folder of this run forgotten.
QString LastOffered();
void ForgetFolderForTests();

/// The printer dialog on the program's printer; false when cancelled.
bool ShowPrintDialog(QWidget* parent, QPrinter& printer);

/// The print preview of the printer's pages, which paint draws on the printer it is given; the preview's own
/// print button prints them through paint as well.
void ShowPrintPreview(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint);

/// The page setup dialog on the program's printer; false when cancelled.
bool ShowPageSetup(QWidget* parent, QPrinter& printer);

/// The program's printer, kept for the whole run so page setup choices last.
QPrinter& ProgramPrinter();

/// Test seam: while set, dialogs are not shown; the answerer gets the dialog's kind ("color", "save",
/// "open", "print", "pagesetup") and returns its answer: a colour name ("#c84040"), a file name, or
/// any non-empty text to confirm a printer dialog. An empty answer is a cancel.
void SetAnswerer(std::function<QString(const QString& kind)> answerer);

} // namespace CommonDialogs
