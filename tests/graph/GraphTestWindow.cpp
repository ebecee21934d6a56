#include "GraphTestWindow.h"

#include <QKeyEvent>
#include <QMenuBar>

#include "graph/basGraph.h"

GraphTestWindow::GraphTestWindow()
{
    auto* client = new QWidget(this);
    setCentralWidget(client);
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    const QString selectCaptions[4] = {QStringLiteral("身体グラフ(&P)"),
                                       QStringLiteral("感情グラフ(&S)"),
                                       QStringLiteral("知性グラフ(&I)"),
                                       QStringLiteral("要注意日(&W)")};
    for (int k = 0; k < 4; ++k) {
        mnuViewSelectGraph[k] = view->addAction(selectCaptions[k]);
        mnuViewSelectGraph[k]->setCheckable(true);
        mnuViewSelectGraph[k]->setObjectName(QStringLiteral("mnuViewSelectGraph%1").arg(k));
    }
    mnuViewDateButton = view->addAction(QStringLiteral("日付ボタン(&B)"));
    mnuViewDateButton->setCheckable(true);
    const QString dateCaptions[3]
        = {QStringLiteral("今日(&T)"), QStringLiteral("日前(&B)"), QStringLiteral("日後(&A)")};
    for (int k = 0; k < 3; ++k) {
        mnuViewDateChange[k] = view->addAction(dateCaptions[k]);
        cmdChangeDate[k] = new QPushButton(dateCaptions[k], client);
        cmdChangeDate[k]->setGeometry(8 + 80 * k, 8, 73, 17);
    }
    for (int k = 0; k < 2; ++k) {
        Line1[k] = new QFrame(client);
        Line1[k]->setFrameShape(QFrame::HLine);
        Line1[k]->setGeometry(0, k, 380, 1);
    }
    m_picGraph = new PictureBox(client);
    m_picGraph->setObjectName(QStringLiteral("picGraph"));
    m_picGraph->setGeometry(0, 32, 300, 200);
}

QSize GraphTestWindow::ClientSizePixels() const
{
    return centralWidget()->size();
}

bool GraphTestWindow::SelectGraphChecked(int index) const
{
    if (onSelectRead) {
        onSelectRead();
    }
    return index >= 0 && index < 4 && mnuViewSelectGraph[index]->isChecked();
}

void GraphTestWindow::SetSelectGraphChecked(int index, bool checked)
{
    mnuViewSelectGraph[index]->setChecked(checked);
}

void GraphTestWindow::SetDateButtonChecked(bool checked)
{
    mnuViewDateButton->setChecked(checked);
}

void GraphTestWindow::SetDateChangeCaption(int index, const QString& caption)
{
    cmdChangeDate[index]->setText(caption);
    mnuViewDateChange[index]->setText(caption);
}

void GraphTestWindow::SetDateButtonVisible(int index, bool visible)
{
    cmdChangeDate[index]->setVisible(visible);
}

void GraphTestWindow::SetLineEndX(qint32 twips)
{
    lineEndX = twips;
    for (QFrame* line : Line1) {
        line->resize(qMax(1, twips / 15), 1);
    }
}

void GraphTestWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        basGraph::StopDrawing(false);
        return;
    }
    QMainWindow::keyPressEvent(event);
}
