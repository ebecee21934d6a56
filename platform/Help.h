#pragma once

#include <QString>

#include <functional>

class QWidget;

/// The help engine: the program's help file, an HTML document whose topics are anchored by context number.
namespace Help {

/// Shows the topic of a context number (the people dialog is 13, the display-date dialog 21 ...).
/// A missing or unreadable help file shows its failure in an "エラー" box. True when shown.
bool ShowTopic(QWidget* parent, const QString& helpFile, int contextId);

/// Shows the contents of the help file, a list of every topic.
bool ShowFinder(QWidget* parent, const QString& helpFile);

/// F1 in the window (while it is the active one) runs showHelp: a dialog's topic, a main window's finder.
void OnF1(QWidget* window, std::function<void()> showHelp);

/// Test seam: the anchor the help window was last opened at ("topic21", "contents"), empty before.
QString LastAnchor();

} // namespace Help
