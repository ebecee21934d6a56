// The help says what is on the screen: every caption it quotes is one the program shows, its Japanese text
// gains no space where the source breaks a line, and every topic a window opens is there.
//
// What counts as a quoted caption: the text of every <b>…</b> and every 「…」. A 「…」 inside <samp> (what the
// program says or draws: a message, a value in a list, a mark on the chart) or <code> (what a file holds or
// the user types) quotes something else and is not checked.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTableView>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include <initializer_list>

#include "../FormTestSupport.h"
#include "../TestSupport.h"
#include "app/basMain.h"
#include "app/basParam.h"
#include "app/basSettings.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmCritical.h"
#include "dialogs/frmDate.h"
#include "dialogs/frmOptions.h"
#include "graph/basGraph.h"
#include "groups/frmGroupEdit.h"
#include "groups/frmGroupMain.h"
#include "people/frmBirth.h"
#include "people/frmExport.h"
#include "platform/Help.h"
#include "platform/core/Clock.h"
#include "platform/core/ProgramFolder.h"
#include "windows/MainWindows.h"
#include "windows/frmMain.h"
#include "windows/frmMainTask.h"

namespace {

QString HelpSource()
{
    QFile file(QStringLiteral(KIRVO_SOURCE_DIR "/help/kirvo.hlp"));
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

// The ways running text may name a caption shown as "表示人変更(&H)...": 表示人変更(H), with or without the
// closing "..." or the 。 or ： that ends a check box or label, or without its access key (表示人変更). A label
// that explains itself in brackets after a wide space ("表示日数　（表示日を境に") is named by its first word,
// and the number the program puts into a caption ("15日前(&B)") is written ○.
QStringList NamingsOf(const QString& shown)
{
    static const QRegularExpression marker(QStringLiteral("&(.)"));
    static const QRegularExpression ending(QStringLiteral("(\\.\\.\\.|。|：)$"));
    static const QRegularExpression accessKey(QStringLiteral("\\([A-Z]\\)$"));
    static const QRegularExpression number(QStringLiteral("[0-9]+"));
    QString caption = shown;
    caption.replace(marker, QStringLiteral("\\1"));
    QStringList namings {caption};
    auto add = [&namings](const QString& naming) {
        if (!naming.isEmpty() && !namings.contains(naming)) {
            namings << naming;
        }
    };
    add(QString(caption).remove(ending));
    for (int i = 0; i < namings.size(); ++i) {
        add(QString(namings[i]).remove(accessKey));
        add(namings[i].section(QStringLiteral("　（"), 0, 0));
        add(QString(namings[i]).replace(number, QStringLiteral("○")));
    }
    return namings;
}

// Every caption a form shows: its title, buttons, labels, frames, menus, tabs, list choices and column heads.
QStringList CaptionsOf(QWidget* form)
{
    QStringList shown {form->windowTitle()};
    for (auto* button : form->findChildren<QAbstractButton*>()) {
        shown << button->text();
    }
    for (auto* label : form->findChildren<QLabel*>()) {
        shown << label->text();
    }
    for (auto* frame : form->findChildren<QGroupBox*>()) {
        shown << frame->title();
    }
    for (auto* menu : form->findChildren<QMenu*>()) {
        shown << menu->title();
    }
    for (auto* action : form->findChildren<QAction*>()) {
        shown << action->text();
    }
    for (auto* tabs : form->findChildren<QTabBar*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            shown << tabs->tabText(i);
        }
    }
    for (auto* choices : form->findChildren<QComboBox*>()) {
        for (int i = 0; i < choices->count(); ++i) {
            shown << choices->itemText(i);
        }
    }
    for (auto* table : form->findChildren<QTableView*>()) {
        for (int c = 0; table->model() && c < table->model()->columnCount(); ++c) {
            shown << table->model()->headerData(c, Qt::Horizontal).toString();
        }
    }
    return shown;
}

QString WithoutTags(QString html)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return html.remove(tag);
}

// The captions the help quotes, as it writes them.
QStringList QuotedCaptions(const QString& html)
{
    static const QRegularExpression notCaptions(QStringLiteral("<(samp|code)>.*?</\\1>"),
                                                QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression bold(QStringLiteral("<b>(.*?)</b>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression quote(QStringLiteral("「([^」]*)」"));
    const QString text = QString(html).remove(notCaptions);
    QStringList quoted;
    for (const auto& m : bold.globalMatch(text)) {
        quoted << WithoutTags(m.captured(1)).simplified();
    }
    for (const auto& m : quote.globalMatch(WithoutTags(text))) {
        quoted << m.captured(1);
    }
    return quoted;
}

// Inline elements let a line break through as a space; at any other tag the break is only layout.
bool IsInline(const QString& tag)
{
    static const QRegularExpression name(QStringLiteral("^</?([a-zA-Z0-9]+)"));
    static const QStringList inlineTags {QStringLiteral("a"),
                                         QStringLiteral("b"),
                                         QStringLiteral("i"),
                                         QStringLiteral("em"),
                                         QStringLiteral("strong"),
                                         QStringLiteral("code"),
                                         QStringLiteral("samp"),
                                         QStringLiteral("kbd"),
                                         QStringLiteral("span")};
    return inlineTags.contains(name.match(tag).captured(1).toLower());
}

// The character of the text next to position i going in a direction (-1 or +1), past blanks and inline tags;
// a null character when a block tag or the end comes first.
QChar TextNeighbour(const QString& html, qsizetype i, int direction)
{
    for (;;) {
        i += direction;
        if (i < 0 || i >= html.size()) {
            return QChar();
        }
        const QChar c = html[i];
        if (c.isSpace()) {
            continue;
        }
        if (c != QLatin1Char(direction > 0 ? '<' : '>')) {
            return c;
        }
        const qsizetype end = direction > 0 ? html.indexOf(QLatin1Char('>'), i) : html.lastIndexOf(QLatin1Char('<'), i);
        if (end < 0) {
            return QChar();
        }
        const QString tag = direction > 0 ? html.mid(i, end - i + 1) : html.mid(end, i - end + 1);
        if (!IsInline(tag)) {
            return QChar();
        }
        i = end;
    }
}

bool IsWide(QChar c)
{
    return !c.isNull() && c.unicode() > 0x7f;
}

// The anchors a viewer of the help can scroll to, read as the viewer reads the file.
QStringList AnchorsOf(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    QStringList anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            anchors << it.fragment().charFormat().anchorNames();
        }
    }
    return anchors;
}

} // namespace

class TestHelpText : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void quotedCaptionsAreShown();
    void noSpaceAtLineBreaks();
    void topicsOpened_data();
    void topicsOpened();
    void linksLeadToTopics();
    void f1OpensTheWindowsTopic_data();
    void f1OpensTheWindowsTopic();

private:
    TempProgramFolder* m_dir = nullptr;
    QString m_html;
};

void TestHelpText::initTestCase()
{
    m_html = HelpSource();
    QVERIFY(!m_html.isEmpty());
    ResetAllState();
    basGraph::BuildSineTable();
    m_dir = new TempProgramFolder;
    ProgramFolder::SetForTests(m_dir->Path());
    basMain::SetHelpFilePath(m_dir->File("kirvo.hlp"));
    Clock::SetTodayForTests(Date::FromYmd(2026, 12, 7));
    basSettings::LoadSettings(m_dir->Path());
    basParam::AddDisplayPerson(QStringLiteral("A"), *Date::FromYmd(1965, 4, 3));
    MainWindows::SetEndProgram([] {});
    QVERIFY(QFile::copy(QStringLiteral(KIRVO_SOURCE_DIR "/help/kirvo.hlp"), m_dir->File("kirvo.hlp")));
}

void TestHelpText::cleanupTestCase()
{
    delete m_dir;
    ResetAllState();
}

void TestHelpText::quotedCaptionsAreShown()
{
    QStringList shown;
    {
        frmMainTask task;
        shown << CaptionsOf(&task);
        frmMain tray;
        shown << CaptionsOf(&tray);
    }
    frmBirth people(nullptr, m_dir->Path());
    shown << CaptionsOf(&people);
    {
        frmGroupMain groups(people, &people);
        shown << CaptionsOf(&groups);
        frmGroupEdit edit(people, &people);
        shown << CaptionsOf(&edit);
    }
    frmExport exportSettings;
    frmDate date;
    frmOptions options;
    frmAbout about;
    frmCritical critical;
    for (QWidget* form : std::initializer_list<QWidget*> {&exportSettings, &date, &options, &about, &critical}) {
        shown << CaptionsOf(form);
    }
    QSet<QString> namings;
    for (const QString& caption : shown) {
        for (const QString& naming : NamingsOf(caption)) {
            namings.insert(naming);
        }
    }

    const QString body = m_html.mid(m_html.indexOf(QStringLiteral("<body")));
    const QStringList quoted = QuotedCaptions(body);
    // A help that seems to quote next to nothing was read wrongly, and would pass for that reason alone.
    QVERIFY(quoted.size() > 20);
    QStringList unknown;
    for (const QString& q : quoted) {
        if (!namings.contains(q) && !unknown.contains(q)) {
            unknown << q;
        }
    }
    QVERIFY2(unknown.isEmpty(),
             qPrintable(QStringLiteral("not on the screen: ") + unknown.join(QStringLiteral(" | "))));
}

void TestHelpText::noSpaceAtLineBreaks()
{
    QStringList faults;
    const qsizetype body = m_html.indexOf(QStringLiteral("<body"));
    for (qsizetype i = m_html.indexOf(QLatin1Char('\n'), body); i >= 0; i = m_html.indexOf(QLatin1Char('\n'), i + 1)) {
        const QChar before = TextNeighbour(m_html, i, -1);
        const QChar after = TextNeighbour(m_html, i, +1);
        if (IsWide(before) && IsWide(after)) {
            const qsizetype line = m_html.left(i).count(QLatin1Char('\n')) + 1;
            faults << QStringLiteral("line %1: %2 %3").arg(line).arg(before).arg(after);
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestHelpText::topicsOpened_data()
{
    QTest::addColumn<QString>("anchor");
    // The finder of the Help menu opens the contents; each dialog's help button its own topic.
    QTest::newRow("finder") << "contents";
    for (int context : {1, 13, 21, 24, 31, 71, 76, 84}) {
        const QString anchor = QStringLiteral("topic%1").arg(context);
        QTest::newRow(qPrintable(anchor)) << anchor;
    }
}

void TestHelpText::topicsOpened()
{
    QFETCH(QString, anchor);
    QVERIFY(AnchorsOf(m_html).contains(anchor));
}

void TestHelpText::linksLeadToTopics()
{
    static const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    const QStringList anchors = AnchorsOf(m_html);
    QStringList broken;
    for (const auto& m : link.globalMatch(m_html)) {
        if (!anchors.contains(m.captured(1))) {
            broken << m.captured(1);
        }
    }
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char(' '))));
}

void TestHelpText::f1OpensTheWindowsTopic_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("anchor");
    // F1 does what the window's Help button or Help menu does.
    QTest::newRow("taskbar window") << "frmMainTask"
                                    << "contents";
    QTest::newRow("notification-area window") << "frmMain"
                                              << "contents";
    QTest::newRow("people") << "frmBirth"
                            << "topic13";
    QTest::newRow("date") << "frmDate"
                          << "topic21";
    QTest::newRow("options") << "frmOptions"
                             << "topic24";
    QTest::newRow("critical days") << "frmCritical"
                                   << "topic31";
    QTest::newRow("group list") << "frmGroupMain"
                                << "topic71";
    QTest::newRow("group edit") << "frmGroupEdit"
                                << "topic76";
    QTest::newRow("export settings") << "frmExport"
                                     << "topic84";
}

void TestHelpText::f1OpensTheWindowsTopic()
{
    QFETCH(QString, window);
    QFETCH(QString, anchor);
    frmBirth people(nullptr, m_dir->Path());
    std::unique_ptr<QWidget> form;
    if (window == QLatin1String("frmMainTask")) {
        form = std::make_unique<frmMainTask>();
    } else if (window == QLatin1String("frmMain")) {
        form = std::make_unique<frmMain>();
    } else if (window == QLatin1String("frmBirth")) {
        form = std::make_unique<frmBirth>(nullptr, m_dir->Path());
    } else if (window == QLatin1String("frmDate")) {
        form = std::make_unique<frmDate>();
    } else if (window == QLatin1String("frmOptions")) {
        form = std::make_unique<frmOptions>();
    } else if (window == QLatin1String("frmCritical")) {
        form = std::make_unique<frmCritical>();
    } else if (window == QLatin1String("frmGroupMain")) {
        form = std::make_unique<frmGroupMain>(people, &people);
    } else if (window == QLatin1String("frmGroupEdit")) {
        form = std::make_unique<frmGroupEdit>(people, &people);
    } else {
        form = std::make_unique<frmExport>();
    }
    // Another topic first, so that only the key can open the one expected.
    QVERIFY(Help::ShowTopic(nullptr, basMain::HelpFilePath(), 1 + (anchor == QLatin1String("topic1"))));
    QVERIFY(ShowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_F1);
    QCOMPARE(Help::LastAnchor(), anchor);
    if (QTextBrowser* viewer = ShownHelpViewer()) {
        viewer->close();
    }
}

QTEST_MAIN(TestHelpText)
#include "tst_helptext.moc"
