#include "componentdialog.h"
#include "datafileviewer.h"
#include "modaldialoganswerer.h"
#include "pluginsession.h"
#include "testtexts.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

#include <sys/stat.h>

namespace {

constexpr int EditorWidgetCount = 9;

QList<QWidget *> editorWidgets()
{
    QList<QWidget *> widgets;
    for (int i = 0; i < EditorWidgetCount; ++i)
        widgets.append(new QWidget);
    return widgets;
}

// The View command as the plug-in sends it: the path as a script string, in Latin-1.
std::string viewCommand(const QString &path)
{
    QString quoted = path;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""));
    return "de_invoke_text_editor( NULL, FALSE, NULL, \"%1\" );"_s.arg(quoted)
        .toLatin1()
        .toStdString();
}

QString numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append("%1\t%2"_s.arg(i).arg(-2 * i));
    return lines.join(QLatin1Char('\n'));
}

// The first and last columns of an image that hold anything but its background, the colour
// most of it has.
std::pair<int, int> inkColumns(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    const QRgb background = std::max_element(counts.cbegin(), counts.cend()).key();
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

} // namespace

// The component dialog of lp-host carries out the commands the plug-in sends: tabs enabled
// and disabled, the sweep range shown, data files shown in a viewer of their own.
class tst_ComponentDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void viewShowsADataFileAsData_data();
    void viewShowsADataFileAsData();
    void theStatusLineFollowsTheCursor_data();
    void theStatusLineFollowsTheCursor();
    void theGutterHoldsTheLargestLineNumber_data();
    void theGutterHoldsTheLargestLineNumber();
    void theViewerClosesFromTheKeyboard_data();
    void theViewerClosesFromTheKeyboard();
    void aFileThatCannotBeShownGivesTheReason_data();
    void aFileThatCannotBeShownGivesTheReason();
    void tabsFollowTheFileTabsCommands_data();
    void tabsFollowTheFileTabsCommands();
    void theSweepLineShowsTheRange_data();
    void theSweepLineShowsTheRange();
    void closingAsksBeforeDiscardingChanges_data();
    void closingAsksBeforeDiscardingChanges();
    void closingEndsTheEditInProgress_data();
    void closingEndsTheEditInProgress();

private:
    QString writeFile(const QString &name, const QByteArray &contents);
    QWidget *view(const QString &path);

    std::unique_ptr<QTemporaryDir> m_workspace;
    std::unique_ptr<ComponentDialog> m_dialog;
};

void tst_ComponentDialog::init()
{
    m_workspace = std::make_unique<QTemporaryDir>();
    QVERIFY(m_workspace->isValid());
    m_dialog = std::make_unique<ComponentDialog>(editorWidgets());
}

void tst_ComponentDialog::cleanup()
{
    m_dialog.reset();
    m_workspace.reset();
}

QString tst_ComponentDialog::writeFile(const QString &name, const QByteArray &contents)
{
    QFile file(m_workspace->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qWarning() << "Cannot write" << file.fileName();
    return file.fileName();
}

// The window the View command opens for a path.
QWidget *tst_ComponentDialog::view(const QString &path)
{
    m_dialog->runCommand("CmdOp", viewCommand(path));
    const QList<QWidget *> windows = m_dialog->findChildren<QWidget *>();
    for (QWidget *window : windows) {
        if (window->isWindow() && window != m_dialog.get() && window->windowTitle() == path)
            return window;
    }
    return nullptr;
}

void tst_ComponentDialog::viewShowsADataFileAsData_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("a data file") << "pa.lp"_s << numberedLines(40);
    QTest::newRow("a name with a quote and a backslash")
        << QStringLiteral(R"(q"\x.lp)") << "! comment\n1 2\n"_s;
    QTest::newRow("a name beyond ASCII") << "Verstärker.lp"_s
                                         << "1 2"_s;
}

// Read-only, in a fixed-pitch font and lines unwrapped, so that columns line up.
void tst_ComponentDialog::viewShowsADataFileAsData()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    const QString path = writeFile(name, text.toLocal8Bit());
    QWidget *viewer = view(path);
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    auto *edit = viewer->findChild<QPlainTextEdit *>();
    QVERIFY(edit);
    QCOMPARE(edit->toPlainText(), text);
    QVERIFY(edit->isReadOnly());
    // Columns line up only where narrow and wide glyphs take the same room; some fonts that do
    // say they are not fixed-pitch.
    const QFontMetrics metrics(edit->font());
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')),
             metrics.horizontalAdvance(QLatin1Char('W')));
    QCOMPARE(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
}

void tst_ComponentDialog::theStatusLineFollowsTheCursor_data()
{
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    const auto keys = [](std::initializer_list<Qt::Key> list) {
        QTestEventList events;
        for (const Qt::Key key : list)
            events.addKeyClick(key);
        return events;
    };
    QTest::newRow("as opened") << QTestEventList() << 1 << 1;
    QTest::newRow("to the end of the second line") << keys({Qt::Key_Down, Qt::Key_End}) << 2 << 6;
    QTest::newRow("past the end of the first line") << keys({Qt::Key_End, Qt::Key_Right}) << 2 << 1;
}

void tst_ComponentDialog::theStatusLineFollowsTheCursor()
{
    QFETCH(QTestEventList, keys);
    QFETCH(int, line);
    QFETCH(int, column);
    QWidget *viewer = view(writeFile("pa.lp"_s, "abc\ndefgh\nij"));
    QVERIFY(viewer);
    auto *edit = viewer->findChild<QPlainTextEdit *>();
    auto *status = viewer->findChild<QLabel *>();
    QVERIFY(edit && status);

    keys.simulate(edit);
    QCOMPARE(status->text(), "Line %1, column %2"_s.arg(line).arg(column));
}

void tst_ComponentDialog::theGutterHoldsTheLargestLineNumber_data()
{
    QTest::addColumn<int>("lines");

    QTest::newRow("one line") << 1;
    QTest::newRow("ten lines") << 10;
    QTest::newRow("a hundred thousand lines") << 100000;
}

// The last lines in view, the largest number among them is painted whole inside the
// gutter, and the text starts beside it.
void tst_ComponentDialog::theGutterHoldsTheLargestLineNumber()
{
    QFETCH(int, lines);
    QWidget *viewer = view(writeFile("pa.lp"_s, numberedLines(lines).toLatin1()));
    QVERIFY(viewer);
    auto *edit = viewer->findChild<QPlainTextEdit *>();
    auto *gutter = viewer->findChild<QWidget *>("lineNumbers"_s);
    QVERIFY(edit && gutter);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    edit->moveCursor(QTextCursor::End);

    QVERIFY(gutter->isVisible());
    const auto [left, right] = inkColumns(gutter->grab().toImage());
    const QFontMetrics metrics(edit->font());
    const QString largest = QString::number(lines);
    QVERIFY2(left > 0 && right < gutter->width() - 1, "a number touches the gutter's edge");
    QVERIFY(right - left + 1 >=
            metrics.horizontalAdvance(largest) - metrics.horizontalAdvance(QLatin1Char('0')));
    QVERIFY(gutter->width() <= metrics.horizontalAdvance(largest + "000"_s));
    QVERIFY(edit->viewport()->geometry().left() > gutter->geometry().right());
}

void tst_ComponentDialog::theViewerClosesFromTheKeyboard_data()
{
    QTest::addColumn<QString>("way");

    QTest::newRow("Escape") << QStringLiteral("Escape");
    QTest::newRow("Ctrl+W") << QStringLiteral("Ctrl+W");
    QTest::newRow("the Close button") << QStringLiteral("Close");
}

// The viewer closes alone: the component dialog behind it stays open.
void tst_ComponentDialog::theViewerClosesFromTheKeyboard()
{
    QFETCH(QString, way);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    const QPointer<QWidget> viewer = view(writeFile(QStringLiteral("pa.lp"), "1 2\n"));
    QVERIFY(viewer);
    QTRY_COMPARE(QApplication::activeWindow(), viewer.data());
    if (way == QLatin1String("Close")) {
        auto *buttons = viewer->findChild<QDialogButtonBox *>();
        QVERIFY(buttons);
        QTest::mouseClick(buttons->button(QDialogButtonBox::Close), Qt::LeftButton);
    } else {
        QTest::keySequence(viewer->focusWidget(), QKeySequence(way));
    }
    QTRY_VERIFY(!viewer);
    QVERIFY(m_dialog->isVisible());
}

void tst_ComponentDialog::aFileThatCannotBeShownGivesTheReason_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("a missing file") << "missing"_s;
    QTest::newRow("a FIFO, which would wait for a writer") << "fifo"_s;
    QTest::newRow("a file too large to show") << "large"_s;
}

void tst_ComponentDialog::aFileThatCannotBeShownGivesTheReason()
{
    QFETCH(QString, kind);
    const QString path = m_workspace->filePath(kind);
    QString reason;
    if (kind == QLatin1String("missing")) {
        QFile probe(path);
        QVERIFY(!probe.open(QIODevice::ReadOnly));
        reason = path + ": "_s + probe.errorString();
    } else if (kind == QLatin1String("large")) {
        QFile large(writeFile(kind, QByteArray()));
        QVERIFY(large.resize(DataFileViewer::MaximumSize + 1));
        reason = "%1 is too large to show (%2 bytes, at most %3)"_s.arg(path)
                     .arg(DataFileViewer::MaximumSize + 1)
                     .arg(DataFileViewer::MaximumSize);
    } else {
        QCOMPARE(mkfifo(QFile::encodeName(path), 0600), 0);
        reason = path + " is not a regular file"_s;
    }

    QWidget *viewer = view(path);
    QVERIFY(viewer);
    QCOMPARE(viewer->findChild<QPlainTextEdit *>()->toPlainText(), reason);
}

void tst_ComponentDialog::tabsFollowTheFileTabsCommands_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<bool>("enabled");

    const QString insensitive = "dblp_make_all_but_file_tab_insensitive(); "_s;
    const QString sensitive = "dblp_make_all_tabs_sensitive(); "_s;
    QTest::newRow("no command") << QStringList() << true;
    QTest::newRow("all but File insensitive") << QStringList{insensitive} << false;
    QTest::newRow("sensitive again") << QStringList{insensitive, sensitive} << true;
    QTest::newRow("an unknown command changes nothing")
        << QStringList{insensitive, "dblp_unknown(); "_s} << false;
}

// The File tab stays enabled whatever the commands say: it is where files are chosen.
void tst_ComponentDialog::tabsFollowTheFileTabsCommands()
{
    QFETCH(QStringList, commands);
    QFETCH(bool, enabled);
    for (const QString &command : commands)
        m_dialog->runCommand("CmdOp", command.toLatin1().toStdString());

    const QTabWidget *tabs = m_dialog->tabs();
    QVERIFY(tabs->isTabEnabled(0));
    for (int i = 1; i < tabs->count(); ++i)
        QVERIFY2(tabs->isTabEnabled(i) == enabled, qPrintable(tabs->tabText(i)));
}

void tst_ComponentDialog::theSweepLineShowsTheRange_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("text");

    QTest::newRow("no command") << QString() << "Frequency sweep: not set"_s;
    QTest::newRow("a range from the data files")
        << QStringLiteral(R"( dblp_init_sweep_group( "1 GHz","2 GHz"," FALSE "  );)")
        << "Frequency sweep: 1 GHz to 2 GHz, from the data files"_s;
    QTest::newRow("no bounds") << " dblp_init_sweep_group( NULL, NULL, TRUE );"_s
                               << "Frequency sweep: unbounded"_s;
}

void tst_ComponentDialog::theSweepLineShowsTheRange()
{
    QFETCH(QString, command);
    QFETCH(QString, text);
    if (!command.isEmpty())
        m_dialog->runCommand("SimCmd", command.toLatin1().toStdString());
    QCOMPARE(m_dialog->sweepText(), text);
}

void tst_ComponentDialog::closingAsksBeforeDiscardingChanges_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("how"); // "Escape", "close" (the window's button) or "Cancel"
    QTest::addColumn<int>("answer");  // to the question: a button, -1 Escape; NoButton: no question
    QTest::addColumn<int>("result");  // of the dialog; -1 while it stays open

    QTest::newRow("nothing changed: Escape closes at once")
        << false << "Escape"_s << int(QMessageBox::NoButton) << int(QDialog::Rejected);
    QTest::newRow("a change, Escape, Save")
        << true << "Escape"_s << int(QMessageBox::Save) << int(QDialog::Accepted);
    QTest::newRow("a change, Escape twice: the editing goes on") << true << "Escape"_s << -1 << -1;
    QTest::newRow("a change, the window's close button, Discard")
        << true << "close"_s << int(QMessageBox::Discard) << int(QDialog::Rejected);
    QTest::newRow("a change, the Cancel button discards unasked")
        << true << "Cancel"_s << int(QMessageBox::NoButton) << int(QDialog::Rejected);
}

void tst_ComponentDialog::closingAsksBeforeDiscardingChanges()
{
    QFETCH(bool, changed);
    QFETCH(QString, how);
    QFETCH(int, answer);
    QFETCH(int, result);
    m_dialog->setChangesCheck([changed] { return changed; });
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    QSignalSpy finished(m_dialog.get(), &QDialog::finished);
    QMessageBox::StandardButtons offered;
    ModalDialogAnswerer answerer([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QVERIFY(box);
        offered = box->standardButtons();
        if (answer < 0)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            clickMessageBoxButton(box, answer);
    });

    if (how == QLatin1String("Escape"))
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    else if (how == QLatin1String("close"))
        m_dialog->close();
    else
        m_dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();

    QCOMPARE(answerer.dialogsSeen(), answer == QMessageBox::NoButton ? 0 : 1);
    if (answer != QMessageBox::NoButton)
        QCOMPARE(offered, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(m_dialog->isVisible(), result < 0);
    QCOMPARE(finished.size(), result < 0 ? 0 : 1);
    if (result >= 0)
        QCOMPARE(finished.at(0).at(0).toInt(), result);
}

void tst_ComponentDialog::closingEndsTheEditInProgress_data()
{
    QTest::addColumn<QString>("field"); // "NUM", or "Pin_avail" for its value cell
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("ways"); // tried in turn: "OK", "Escape" or "close"
    QTest::addColumn<QString>("outcome");  // after the last: "open", "asked" or the NUM written

    const auto row = [](const char *name, const char *field, const char *typed, const char *ways,
                        const char *outcome) {
        QTest::newRow(name) << QString::fromUtf8(field) << QString::fromUtf8(typed)
                            << QString::fromUtf8(ways).split(u' ') << QString::fromUtf8(outcome);
    };
    row("a field's entry taken by OK", "NUM", "3", "OK", "3");
    row("a field's entry refused: OK stays, once", "NUM", "1.5", "OK", "open");
    row("a field's entry refused, seen: OK closes", "NUM", "1.5", "OK OK", "1");
    row("a field's entry refused: Escape stays", "NUM", "1.5", "Escape", "open");
    row("a field's entry refused: the close button stays", "NUM", "1.5", "close", "open");
    row("a field's entry pending: Escape asks", "NUM", "3", "Escape", "asked");
    row("a cell's entry refused stays in its edit", "Pin_avail", "1.5x", "OK OK close", "open");
    row("a cell's entry pending: the close button asks", "Pin_avail", "12", "close", "asked");
}

// OK, Escape and the window's close button end the edit in progress first: a pending entry
// counts as a change, and an entry refused where the user may not have seen it keeps the
// dialog open with the focus in its field and its note shown.
void tst_ComponentDialog::closingEndsTheEditInProgress()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QStringList, ways);
    QFETCH(QString, outcome);
    PluginSession session(QStringLiteral(LP_PLUGIN_PATH));
    QVERIFY2(session.error().isEmpty(), qPrintable(session.error()));
    const QString data = QStringLiteral(LP_EXAMPLES_DIR "/data/pa_two_frequencies.lp");
    TvlValue *widgetList = session.open({{"FileName"_s, {data}}, {"NUM"_s, {"1"_s}}});
    QList<QWidget *> widgets;
    for (int i = 0; i < EditorWidgetCount; ++i)
        widgets.append(session.widget(widgetList, i));
    const PluginSession::Parameters opened = session.accept(widgetList);
    auto *dialog = new ComponentDialog(widgets);
    const auto deleteDialog = qScopeGuard([dialog] { delete dialog; });
    dialog->setChangesCheck([&] { return session.accept(widgetList) != opened; });
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog));

    QPointer<QLineEdit> edit = dialog->findChild<QLineEdit *>(field);
    auto *table = dialog->findChild<QTableWidget *>("IndepVarName"_s);
    const auto showTabOf = [dialog](QWidget *content) {
        for (int i = 0; i < dialog->tabs()->count(); ++i)
            if (dialog->tabs()->widget(i)->isAncestorOf(content))
                dialog->tabs()->setCurrentIndex(i);
    };
    int row = -1;
    if (!edit) {
        showTabOf(widgets.at(PluginSession::Details));
        const QTableWidgetItem *name = table->findItems(field, Qt::MatchExactly).value(0);
        QVERIFY(name);
        row = name->row();
        table->editItem(table->item(row, 1));
        edit = table->viewport()->findChild<QLineEdit *>();
    } else {
        showTabOf(widgets.at(PluginSession::Term));
    }
    QVERIFY(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, typed);

    int questions = 0;
    ModalDialogAnswerer answerer([&](QWidget *box) {
        ++questions;
        clickMessageBoxButton(box, QMessageBox::Cancel);
    });
    QPushButton *ok = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    for (const QString &way : qAsConst(ways)) {
        if (way == "OK"_s)
            QTest::mouseClick(ok, Qt::LeftButton);
        else if (way == "Escape"_s)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            dialog->close();
    }

    QCOMPARE(questions, int(outcome == "asked"_s));
    QCOMPARE(dialog->isVisible(), outcome == "open"_s || outcome == "asked"_s);
    if (dialog->isVisible()) {
        // The focus is back where the entry was: in its field, holding the text typed unless
        // refused, and a refused entry's note shows. A cell's taken entry has closed its editor.
        const bool cellTaken = field != "NUM"_s && outcome == "asked"_s;
        QWidget *where = cellTaken ? static_cast<QWidget *>(table) : edit.data();
        QTRY_COMPARE(dialog->focusWidget(), where);
        if (cellTaken)
            QCOMPARE(table->item(row, 1)->text(), typed);
        else
            QCOMPARE(edit->text(), field != "NUM"_s || outcome == "asked"_s ? typed : "1"_s);
        bool noted = false;
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            noted = noted || (label->isVisible() && label->text().contains("was not taken"_s));
        QCOMPARE(noted, outcome == "open"_s);
    } else {
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(session.accept(widgetList).value("NUM"_s), QStringList{outcome});
    }
}

QTEST_MAIN(tst_ComponentDialog)
#include "tst_componentdialog.moc"
