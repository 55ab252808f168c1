#include "componentdialog.h"
#include "datafileviewer.h"
#include "modaldialoganswerer.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
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
    return QStringLiteral("de_invoke_text_editor( NULL, FALSE, NULL, \"%1\" );")
        .arg(quoted)
        .toLatin1()
        .toStdString();
}

QString numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("%1\t%2").arg(i).arg(-2 * i));
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
    void aFileThatCannotBeShownGivesTheReason_data();
    void aFileThatCannotBeShownGivesTheReason();
    void tabsFollowTheFileTabsCommands_data();
    void tabsFollowTheFileTabsCommands();
    void theSweepLineShowsTheRange_data();
    void theSweepLineShowsTheRange();
    void closingAsksBeforeDiscardingChanges_data();
    void closingAsksBeforeDiscardingChanges();

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

    QTest::newRow("a data file") << QStringLiteral("pa.lp") << numberedLines(40);
    QTest::newRow("a name with a quote and a backslash")
        << QStringLiteral(R"(q"\x.lp)") << QStringLiteral("! comment\n1 2\n");
    QTest::newRow("a name beyond ASCII")
        << QStringLiteral("Verstärker.lp") << QStringLiteral("1 2");
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
    QWidget *viewer = view(writeFile(QStringLiteral("pa.lp"), "abc\ndefgh\nij"));
    QVERIFY(viewer);
    auto *edit = viewer->findChild<QPlainTextEdit *>();
    auto *status = viewer->findChild<QLabel *>();
    QVERIFY(edit && status);

    keys.simulate(edit);
    QCOMPARE(status->text(), QStringLiteral("Line %1, column %2").arg(line).arg(column));
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
    QWidget *viewer = view(writeFile(QStringLiteral("pa.lp"), numberedLines(lines).toLatin1()));
    QVERIFY(viewer);
    auto *edit = viewer->findChild<QPlainTextEdit *>();
    auto *gutter = viewer->findChild<QWidget *>(QStringLiteral("lineNumbers"));
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
    QVERIFY(gutter->width() <= metrics.horizontalAdvance(largest + QStringLiteral("000")));
    QVERIFY(edit->viewport()->geometry().left() > gutter->geometry().right());
}

void tst_ComponentDialog::aFileThatCannotBeShownGivesTheReason_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("a missing file") << QStringLiteral("missing");
    QTest::newRow("a FIFO, which would wait for a writer") << QStringLiteral("fifo");
    QTest::newRow("a file too large to show") << QStringLiteral("large");
}

void tst_ComponentDialog::aFileThatCannotBeShownGivesTheReason()
{
    QFETCH(QString, kind);
    const QString path = m_workspace->filePath(kind);
    QString reason;
    if (kind == QLatin1String("missing")) {
        QFile probe(path);
        QVERIFY(!probe.open(QIODevice::ReadOnly));
        reason = path + QStringLiteral(": ") + probe.errorString();
    } else if (kind == QLatin1String("large")) {
        QFile large(writeFile(kind, QByteArray()));
        QVERIFY(large.resize(DataFileViewer::MaximumSize + 1));
        reason = QStringLiteral("%1 is too large to show (%2 bytes, at most %3)")
                     .arg(path)
                     .arg(DataFileViewer::MaximumSize + 1)
                     .arg(DataFileViewer::MaximumSize);
    } else {
        QCOMPARE(mkfifo(QFile::encodeName(path), 0600), 0);
        reason = path + QStringLiteral(" is not a regular file");
    }

    QWidget *viewer = view(path);
    QVERIFY(viewer);
    QCOMPARE(viewer->findChild<QPlainTextEdit *>()->toPlainText(), reason);
}

void tst_ComponentDialog::tabsFollowTheFileTabsCommands_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<bool>("enabled");

    const QString insensitive = QStringLiteral("dblp_make_all_but_file_tab_insensitive(); ");
    const QString sensitive = QStringLiteral("dblp_make_all_tabs_sensitive(); ");
    QTest::newRow("no command") << QStringList() << true;
    QTest::newRow("all but File insensitive") << QStringList{insensitive} << false;
    QTest::newRow("sensitive again") << QStringList{insensitive, sensitive} << true;
    QTest::newRow("an unknown command changes nothing")
        << QStringList{insensitive, QStringLiteral("dblp_unknown(); ")} << false;
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

    QTest::newRow("no command") << QString() << QStringLiteral("Frequency sweep: not set");
    QTest::newRow("a range from the data files")
        << QStringLiteral(R"( dblp_init_sweep_group( "1 GHz","2 GHz"," FALSE "  );)")
        << QStringLiteral("Frequency sweep: 1 GHz to 2 GHz, from the data files");
    QTest::newRow("no bounds") << QStringLiteral(" dblp_init_sweep_group( NULL, NULL, TRUE );")
                               << QStringLiteral("Frequency sweep: unbounded");
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
        << false << QStringLiteral("Escape") << int(QMessageBox::NoButton)
        << int(QDialog::Rejected);
    QTest::newRow("a change, Escape, Save")
        << true << QStringLiteral("Escape") << int(QMessageBox::Save) << int(QDialog::Accepted);
    QTest::newRow("a change, Escape, Cancel: the editing goes on")
        << true << QStringLiteral("Escape") << int(QMessageBox::Cancel) << -1;
    QTest::newRow("a change, Escape twice: the editing goes on")
        << true << QStringLiteral("Escape") << -1 << -1;
    QTest::newRow("a change, the window's close button, Discard")
        << true << QStringLiteral("close") << int(QMessageBox::Discard) << int(QDialog::Rejected);
    QTest::newRow("a change, the Cancel button discards unasked")
        << true << QStringLiteral("Cancel") << int(QMessageBox::NoButton) << int(QDialog::Rejected);
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
    QCOMPARE(answerer.dialogsForcedClosed(), 0);
    if (answer != QMessageBox::NoButton)
        QCOMPARE(offered, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(m_dialog->isVisible(), result < 0);
    QCOMPARE(finished.size(), result < 0 ? 0 : 1);
    if (result >= 0)
        QCOMPARE(finished.at(0).at(0).toInt(), result);
}

QTEST_MAIN(tst_ComponentDialog)
#include "tst_componentdialog.moc"
