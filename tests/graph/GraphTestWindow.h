#pragma once

#include <QAction>
#include <QFrame>
#include <QMainWindow>
#include <QPushButton>

#include <functional>

#include "graph/GraphForm.h"
#include "platform/PictureBox.h"

/// A stand-in main window for the chart routines: picGraph, the date buttons, the two etched lines and the
/// graph menu items, with Esc wired to StopDrawing as the real windows do.
class GraphTestWindow : public QMainWindow, public GraphForm
{
    Q_OBJECT
public:
    GraphTestWindow();

    QWidget* FormWindow() override { return this; }
    QSize ClientSizePixels() const override;
    PictureBox* picGraph() override { return m_picGraph; }
    bool SelectGraphChecked(int index) const override;
    void SetSelectGraphChecked(int index, bool checked) override;
    void SetDateButtonChecked(bool checked) override;
    void SetDateChangeCaption(int index, const QString& caption) override;
    void SetDateButtonVisible(int index, bool visible) override;
    void SetLineEndX(qint32 twips) override;

    QAction* mnuViewSelectGraph[4] = {};
    QAction* mnuViewDateButton = nullptr;
    QAction* mnuViewDateChange[3] = {};
    QPushButton* cmdChangeDate[3] = {};
    QFrame* Line1[2] = {};
    qint32 lineEndX = 0;

    /// Called on every read of a graph check mark, so a test can act in the middle of a drawing.
    std::function<void()> onSelectRead;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    PictureBox* m_picGraph = nullptr;
};
