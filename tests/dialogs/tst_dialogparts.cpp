// The number box shared by the dialogs, and the registry of open dialogs.
#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMimeData>

#include "../FormTestSupport.h"
#include "../TestSupport.h"
#include "dialogs/frmAbout.h"
#include "platform/DialogRegistry.h"
#include "platform/NumberBox.h"

class TestDialogParts : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { ResetAllState(); }
    void typing_data();
    void typing();
    void editingKeysStillWork();
    void programNumberLongerThanLimit();
    void paste_data();
    void paste();
    void contextMenuPasteIsFiltered();
    void inputMethod_data();
    void inputMethod();
    void drop_data();
    void drop();
    void focusSelects_data();
    void focusSelects();
    void registryFollowsOpenDialogs();
    void aboutBox();
};

void TestDialogParts::typing_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::newRow("digits") << "" << 4 << "2001"
                            << "2001";
    QTest::newRow("letters, minus, space, dot dropped") << "" << 4 << "2a-0 .0,1"
                                                        << "2001";
    QTest::newRow("only non-digits") << "" << 3 << "abc- +"
                                     << "";
    QTest::newRow("backspace") << "123" << 3 << "\b"
                               << "12";
    QTest::newRow("backspace then digit") << "123" << 3 << "\b\b7"
                                          << "17";
    QTest::newRow("at most the box's length") << "" << 2 << "123"
                                              << "12";
    QTest::newRow("digits after an era year") << "-18" << 4 << "x5"
                                              << "-185";
}

void TestDialogParts::typing()
{
    QFETCH(QString, start);
    QFETCH(int, maxLength);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    NumberBox box(QStringLiteral("txtTest"), maxLength, nullptr);
    box.setText(start);
    box.end(false);
    for (QChar c : typed) {
        if (c.unicode() == 8) {
            QTest::keyClick(&box, Qt::Key_Backspace);
        } else {
            QTest::keyClick(&box, c.toLatin1());
        }
    }
    QCOMPARE(box.text(), result);
}

void TestDialogParts::editingKeysStillWork()
{
    NumberBox box(QStringLiteral("txtTest"), 4, nullptr);
    box.setText(QStringLiteral("1234"));
    box.home(false);
    QTest::keyClick(&box, Qt::Key_Delete);
    QCOMPARE(box.text(), QStringLiteral("234"));
    QTest::keyClick(&box, Qt::Key_End);
    QTest::keyClick(&box, Qt::Key_Left);
    QTest::keyClick(&box, '9');
    QCOMPARE(box.text(), QStringLiteral("2394"));
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(box.selectedText(), QStringLiteral("2394"));
    // Escape and Enter belong to the dialog: the box passes them on.
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    QApplication::sendEvent(&box, &esc);
    QVERIFY(!esc.isAccepted());
}

void TestDialogParts::programNumberLongerThanLimit()
{
    NumberBox box(QStringLiteral("txtTest"), 4, nullptr);
    box.ShowNumber(QStringLiteral("-1983"));
    QCOMPARE(box.text(), QStringLiteral("-1983"));
    box.end(false);
    QTest::keyClick(&box, '7');
    QCOMPARE(box.text(), QStringLiteral("-1983"));
    // Edited down to the limit, the box holds to it again.
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, "123");
    QCOMPARE(box.text(), QStringLiteral("-191"));
    QCOMPARE(box.maxLength(), 4);
}

void TestDialogParts::paste_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("result");
    QTest::newRow("digits") << "45"
                            << "1245";
    QTest::newRow("letters") << "ab"
                             << "12";
    QTest::newRow("digits and a letter") << "4a"
                                         << "12";
    QTest::newRow("minus") << "-4"
                           << "12";
    QTest::newRow("spaces around") << " 45 "
                                   << "12";
    QTest::newRow("line break") << "45\n"
                                << "12";
    QTest::newRow("full-width digits") << QString::fromUtf8("４５") << "12";
    QTest::newRow("empty") << ""
                           << "12";
    QTest::newRow("cut to the box's length") << "4567"
                                             << "1245";
}

void TestDialogParts::paste()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, result);
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}) {
        NumberBox box(QStringLiteral("txtTest"), 4, nullptr);
        box.setText(QStringLiteral("12"));
        box.end(false);
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keySequence(&box, keys);
        QCOMPARE(box.text(), result);
    }
}

void TestDialogParts::contextMenuPasteIsFiltered()
{
    NumberBox box(QStringLiteral("txtTest"), 4, nullptr);
    box.setText(QStringLiteral("12"));
    box.end(false);
    for (const QString& clipboard : {QStringLiteral("ab"), QStringLiteral("3")}) {
        QGuiApplication::clipboard()->setText(clipboard);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), box.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&box, &event);
        QMenu* menu = box.findChild<QMenu*>();
        QVERIFY(menu);
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QStringLiteral("&Paste"))) {
                paste = action;
            }
        }
        QVERIFY(paste);
        QCOMPARE(paste->isEnabled(), clipboard == QStringLiteral("3"));
        // Even when triggered regardless, letters stay out.
        paste->trigger();
        menu->close();
        delete menu;
    }
    QCOMPARE(box.text(), QStringLiteral("123"));
}

void TestDialogParts::inputMethod_data()
{
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("result");
    QTest::newRow("digits") << "34"
                            << "1234";
    QTest::newRow("kana") << QString::fromUtf8("あ") << "12";
    QTest::newRow("full-width digit") << QString::fromUtf8("３") << "12";
    QTest::newRow("digit and kanji") << QString::fromUtf8("3年") << "12";
}

void TestDialogParts::inputMethod()
{
    QFETCH(QString, commit);
    QFETCH(QString, result);
    NumberBox box(QStringLiteral("txtTest"), 4, nullptr);
    box.setText(QStringLiteral("12"));
    box.end(false);
    QInputMethodEvent event;
    event.setCommitString(commit);
    QApplication::sendEvent(&box, &event);
    QCOMPARE(box.text(), result);
}

void TestDialogParts::drop_data()
{
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digits") << "34" << true;
    QTest::newRow("letters") << "ab" << false;
    QTest::newRow("negative number") << "-3" << false;
}

void TestDialogParts::drop()
{
    QFETCH(QString, dropped);
    QFETCH(bool, accepted);
    NumberBox box(QStringLiteral("txtTest"), 4, nullptr);
    box.resize(100, 24);
    box.setText(QStringLiteral("12"));
    QMimeData mime;
    mime.setText(dropped);
    QDragEnterEvent enter(QPoint(90, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &enter);
    QCOMPARE(enter.isAccepted(), accepted);
    QDropEvent drop(QPointF(90, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &drop);
    QCOMPARE(box.text(), accepted ? QStringLiteral("12") + dropped : QStringLiteral("12"));
}

void TestDialogParts::focusSelects_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("selected");
    QTest::newRow("tab") << int(Qt::TabFocusReason) << true;
    QTest::newRow("back tab") << int(Qt::BacktabFocusReason) << true;
    QTest::newRow("set by the program") << int(Qt::OtherFocusReason) << true;
    QTest::newRow("window activated again") << int(Qt::ActiveWindowFocusReason) << false;
    QTest::newRow("back from the box's menu") << int(Qt::PopupFocusReason) << false;
}

void TestDialogParts::focusSelects()
{
    QFETCH(int, reason);
    QFETCH(bool, selected);
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* box = new NumberBox(QStringLiteral("txtTest"), 4, &window);
    box->move(0, 30);
    box->setText(QStringLiteral("2001"));
    box->end(false);
    QVERIFY(ShowActive(&window));
    other->setFocus();
    QFocusEvent focusIn(QEvent::FocusIn, Qt::FocusReason(reason));
    QApplication::sendEvent(box, &focusIn);
    QCOMPARE(box->selectedText(), selected ? QStringLiteral("2001") : QString());
}

void TestDialogParts::registryFollowsOpenDialogs()
{
    QCOMPARE(DialogRegistry::ActiveDialog(), nullptr);
    QWidget first;
    auto* second = new QWidget();
    DialogRegistry::Register(&first);
    DialogRegistry::Register(second);
    DialogRegistry::Register(second);
    QCOMPARE(DialogRegistry::ActiveDialog(), second);
    // One registered twice leaves with one call; one destroyed without leaving is skipped.
    DialogRegistry::Unregister(second);
    QCOMPARE(DialogRegistry::ActiveDialog(), &first);
    DialogRegistry::Register(second);
    delete second;
    QCOMPARE(DialogRegistry::ActiveDialog(), &first);
    DialogRegistry::Unregister(&first);
    QCOMPARE(DialogRegistry::ActiveDialog(), nullptr);
}

void TestDialogParts::aboutBox()
{
    QCOMPARE(VersionLine(2, 10, 7), QStringLiteral("Version 2.10 (Build: 7)"));
    frmAbout about;
    const QString legal = Find<QLabel>(&about, QStringLiteral("lblCopyright"))->text();
    QCOMPARE(legal.count(QLatin1Char('\n')), 2);
    QVERIFY(legal.contains(QStringLiteral("MIT ライセンス")));
    QVERIFY(legal.contains(QStringLiteral("無保証")));
    // It opens at the size its contents need, as designed, not at a toolkit's default window size.
    QVERIFY(ShowActive(&about));
    QCOMPARE(about.size(), about.sizeHint());
    QVERIFY(about.width() < 600);
}

QTEST_MAIN(TestDialogParts)
#include "tst_dialogparts.moc"
