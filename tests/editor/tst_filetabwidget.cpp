#include "filetabwidget.h"
#include "testtexts.h"

#include "enhancedlistwidget.h"
#include "interfaceholder.h"
#include "loadpulldatalibrary.h"
#include "metatypes.h"
#include "modaldialoganswerer.h"
#include "referencetvlinterface.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace LoadPullStateUtils;

namespace {

const QString Sensitive = "CmdOp: dblp_make_all_tabs_sensitive(); "_s;
const QString Insensitive = "CmdOp: dblp_make_all_but_file_tab_insensitive(); "_s;
const QString Information = "information"_s, Warning = "warning"_s;

// Two frequency blocks of three rows and one, a swept load gamma and a fixed source gamma.
const QByteArray KnownValues = R"(LPDATA 1
VAR=<Freq>, Units=<Hz>, Type=<Frequency>
VAR=<Vdd>, Units=<V>
GAMMA=<gamma_ld2>, Domain=<Polar-Mag>
GAMMA=<gamma_src1>, Domain=<Rect-Imag>, Value=<0.3, 0.4>
OUT=<Pout>, Units=<dBm>
Vdd Re(gamma_ld2) Im(gamma_ld2) Pout
Freq = 900000000 Hz
24 0.75 0 30.5
28.5 0.75 0 31
24 0 0.25 -1.5
Freq = 1850500000 Hz
24 0.75 0 30
)";

QStringList split(const QString &words)
{
    return words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// What the log shows for an accepted change, in the order it must come.
QStringList announced(int numFiles, const QString &variables = "Freq Pin_avail"_s)
{
    const QString n = QString::number(numFiles);
    return {(QStringList{"foundVariables"_s, n} + split(variables)).join(" "_s),
            "foundPerformanceVariables "_s + n, "stateChanged "_s + n, "fileListModified"_s};
}

FileTabState stateOf(int type, const QStringList &names)
{
    FileTabState state;
    state.setFileType(LoadPullFileType(type));
    for (const QString &name : names)
        state.appendFileName(QDir::current().absoluteFilePath(name));
    return state;
}

// Writes the contents, by default those of an example load-pull file.
bool makeFile(const QString &to, const QByteArray &contents = {})
{
    QDir().mkpath(QFileInfo(to).path());
    if (contents.isEmpty())
        return QFile::copy(QStringLiteral(LP_EXAMPLE_DATA_DIR "/pa_two_frequencies.lp"), to);
    QFile file(to);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

// base.lp, then f1.lp to f8.lp, each with a variable the others lack; none when not made.
QStringList disagreeingFiles(const QString &folder = {})
{
    QStringList files{folder + "base.lp"_s};
    bool made = makeFile(files.first(), "LPDATA 1\nVAR=<x>\nOUT=<p>\nx p\n1 2\n");
    for (int i = 1; i <= 8; ++i) {
        files << folder + "f%1.lp"_s.arg(i);
        made =
            made &&
            makeFile(files.last(),
                     "LPDATA 1\nVAR=<x>\nVAR=<v%1>\nOUT=<p>\nx v%1 p\n1 1 2\n"_s.arg(i).toLatin1());
    }
    return made ? files : QStringList();
}

} // namespace

class tst_FileTabWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void changes_data();
    void changes();
    void aFixedReflectionCoefficientHasOnePoint_data();
    void aFixedReflectionCoefficientHasOnePoint();
    void rowsOfFilesThatCannotBeReadSayWhy();
    void rowsAreNotEditedInPlace();
    void aWarningOnEveryAdditionThatHasOne();
    void aWarningAboutLongPathsStaysOnTheScreen();
    void variablesOfAFile();
    void filesAreShownRelativeToTheBaseDirectory_data();
    void filesAreShownRelativeToTheBaseDirectory();
    void storedNamesActByRowAsTheComponentNamesThem();
    void boxesShowOverTheWindowTheUserWorksIn();

private:
    void answer(QWidget *dialog);
    bool clickButton(const QString &text);
    void run(int type, const QString &steps, QStringList &added);
    EnhancedListWidget *list() const { return m_tab->findChild<EnhancedListWidget *>(); }
    QStringList shownRows() const;

    ReferenceTvlInterface m_tvl;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalDialogAnswerer> m_answerer;
    std::unique_ptr<FileTabWidget> m_tab;
    QStringList m_log; // signals, host commands and message boxes in order
    QString m_lastBox;
    QString m_lastDetails;
    QSize m_lastBoxSize;
    QWidget *m_lastBoxParent = nullptr;
    QString m_fileDialog;       // caption, directory and filters of the last one
    QString m_fileDialogAnswer; // null: cancel the dialog
};

void tst_FileTabWidget::init()
{
    registerStateMetaTypes();
    m_tvl.setCommandListener([this](const ReferenceTvlInterface::Command &command) {
        m_log << QString::fromStdString(command.target + ": " + command.text);
    });
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid() && QDir::setCurrent(m_dir->path()));
    for (const QString &name : {"a.lp"_s, "b.lp"_s, R"(q"\x.lp)"_s, "tab\tname.lp"_s,
                                "\u0434\u0430\u043d\u043d\u044b\u0435.lp"_s})
        QVERIFY(makeFile(name));
    QVERIFY(QDir().mkdir("sub"_s) &&
            QFile::copy(QStringLiteral(LP_EXAMPLE_DATA_DIR "/pa_supply_sweep.spl"), "sweep.spl"_s));
    for (const QString &name : {"notes.lp"_s, "caf\u00e9.lp"_s})
        QVERIFY(makeFile(name, "not load-pull data\n"));
    for (const QString &name : {"x.ds"_s, "z.ds"_s, "X.DS"_s, "<i>y.lpd"_s})
        QVERIFY(makeFile(name, "read by the host itself\n"));
    InterfaceHolder::instance().store(&m_tvl);
    InterfaceHolder::instance().accept();
    m_answerer = std::make_unique<ModalDialogAnswerer>([this](QWidget *dialog) { answer(dialog); });

    m_tab = std::make_unique<FileTabWidget>();
    FileTabWidget *tab = m_tab.get();
    connect(tab, &FileTabWidget::foundVariables, this,
            [this](const QList<IndepVarInfo> &independent, const QList<GammaVarInfo> &, int n) {
                QStringList entry{"foundVariables"_s, QString::number(n)};
                for (const IndepVarInfo &variable : independent)
                    entry << variable.name();
                m_log << entry.join(" "_s);
            });
    connect(tab, &FileTabWidget::foundPerformanceVariables, this,
            [this](const QList<PerformanceVarBaseInfo> &, int n) {
                m_log << "foundPerformanceVariables "_s + QString::number(n);
            });
    connect(tab, &FileTabWidget::stateChanged, this, [this](const FileTabState &state) {
        m_log << "stateChanged "_s + QString::number(state.count());
    });
    connect(tab, &FileTabWidget::fileListModified, this, [this] { m_log << "fileListModified"_s; });
}

void tst_FileTabWidget::cleanup()
{
    m_tab.reset();
    m_fileDialogAnswer.clear();
    InterfaceHolder::instance().store(nullptr);
    m_dir.reset();
}

void tst_FileTabWidget::answer(QWidget *dialog)
{
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        const bool warning = box->icon() == QMessageBox::Warning;
        // Boxes carry file names and library texts, never to be read as markup.
        const bool plain = box->windowTitle() == "DataBasedLoadPull"_s &&
                           box->textFormat() == Qt::PlainText &&
                           (warning || box->icon() == QMessageBox::Information) &&
                           !box->defaultButton() && box->standardButtons() == QMessageBox::Ok &&
                           (box->parentWidget() == m_tab.get()) == m_tab->isVisible();
        m_log << (plain ? QString() : "odd box: "_s) + (warning ? Warning : Information);
        m_lastBox = box->text();
        m_lastBoxParent = box->parentWidget();
        m_lastDetails = box->detailedText();
        m_lastBoxSize = box->size();
        clickMessageBoxButton(box, QMessageBox::Ok);
    } else if (auto *fileDialog = qobject_cast<QFileDialog *>(dialog)) {
        m_fileDialog = fileDialog->windowTitle() + " | "_s +
                       fileDialog->directory().absolutePath() + " | "_s +
                       fileDialog->nameFilters().join(" ; "_s);
        if (m_fileDialogAnswer.isNull())
            return fileDialog->reject();
        // While the name field has the focus the dialog ignores the names set in it.
        if (QWidget *focus = QApplication::focusWidget())
            focus->clearFocus();
        fileDialog->findChild<QLineEdit *>("fileNameEdit"_s)->setText(m_fileDialogAnswer);
        static_cast<QDialog *>(fileDialog)->accept();
    }
}

bool tst_FileTabWidget::clickButton(const QString &text)
{
    for (QPushButton *button : m_tab->findChildren<QPushButton *>())
        if (button->text() == text && button->isEnabled())
            return QMetaObject::invokeMethod(button, "click");
    return false;
}

// The list's rows, "!" before each that carries the sign of a file that cannot be read.
QStringList tst_FileTabWidget::shownRows() const
{
    QStringList rows;
    for (int row = 0; row < list()->count(); ++row)
        rows << (list()->item(row)->icon().isNull() ? QString() : "!"_s) +
                    list()->item(row)->text();
    return rows;
}

// Steps, comma separated: "add|set FILES", "gone FILE", "copy|link FROM TO",
// "Add... [ANSWER]" (none: cancel) and "Remove...|View... ROW". `added`: the files last added.
void tst_FileTabWidget::run(int type, const QString &steps, QStringList &added)
{
    for (const QString &step : steps.split(", "_s)) {
        QStringList args = split(step);
        const QString verb = args.takeFirst();
        if (verb == "add"_s) {
            m_tab->appendLoadPullFiles(added = args);
        } else if (verb == "set"_s) {
            m_tab->setState(stateOf(type, args));
        } else if (verb == "gone"_s) {
            QVERIFY(QFile::remove(args.first()));
        } else if (verb == "copy"_s) {
            QVERIFY(QFile::copy(args.at(0), args.at(1)));
        } else if (verb == "link"_s) {
            QVERIFY(QFile::link(args.at(0), args.at(1)));
        } else {
            if (verb == "Add..."_s)
                m_fileDialogAnswer = args.isEmpty() ? QString() : args.join(" "_s);
            else
                list()->setCurrentRow(args.first().toInt());
            QVERIFY(clickButton(verb));
        }
    }
}

void tst_FileTabWidget::changes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("expectedLog");
    QTest::addColumn<QString>("expectedFiles"); // "!": a file marked as one that cannot be read
    QTest::addColumn<QString>("lastBox");       // empty: not checked; "library": the library's text
    const auto row = [](const char *name, int type, const char *listed, const char *steps,
                        const QStringList &log, const char *files, const char *box = "") {
        QTest::newRow(name) << type << QString::fromUtf8(listed) << QString::fromUtf8(steps) << log
                            << QString::fromUtf8(files) << QString::fromUtf8(box);
    };

    row("a listed file named by other paths is read again, not added, and the user is told", 1,
        "a.lp", "add ./a.lp sub/../a.lp", QStringList{Information} + announced(1), "a.lp",
        "Already listed, so read again: a.lp");
    row("a file named three times in one call is taken once", 1, "", "add a.lp ./a.lp a.lp",
        announced(1), "a.lp");
    row("files that disagree come after the library's warning; numFiles counts all", 1, "a.lp",
        "add sweep.spl", QStringList{Warning} + announced(2, "Freq Pin_avail Vdd"_s),
        "a.lp sweep.spl", "library");
    row("one file that is not load-pull data refuses the whole call", 1, "a.lp",
        "add b.lp notes.lp", {Warning}, "a.lp", "library");
    row("Dataset tests the first file's suffix only, in any case", 2, "x.ds", "add X.DS <i>y.lpd",
        announced(3, {}), "x.ds X.DS <i>y.lpd");
    row("Dataset refuses another suffix, naming the file and the suffix", 2, "", "add <i>y.lpd",
        {Warning}, "", "%1/<i>y.lpd is not a Dataset load pull file: its name must end in .ds");
    row("Focus refuses another suffix, naming the file and the suffix", 3, "", "add x.ds",
        {Warning}, "", "%1/x.ds is not a Focus load pull file: its name must end in .lpd");
    row("with no file type every file is refused", 0, "", "add a.lp", {Warning}, "",
        "Invalid file type found: please choose a valid load pull file");
    row("the first files chosen make the other tabs usable after the signals", 1, "",
        R"(Add... "a.lp" "b.lp")", announced(2) << Sensitive, "a.lp b.lp");
    row("a file chosen beside listed ones sends no command", 1, "a.lp", R"(Add... "b.lp")",
        announced(2), "a.lp b.lp");
    row("a refused first file chosen sends no command", 1, "", R"(Add... "notes.lp")", {Warning},
        "");
    row("a new state without files makes the other tabs unusable", 1, "a.lp", "set", {Insensitive},
        "");
    row("a new state replaces the listed files and makes the other tabs usable", 1, "a.lp",
        "set b.lp", announced(1) << Sensitive, "b.lp");
    // Files that cannot be read stay listed, so that no setting of theirs is lost.
    row("a state with a missing file keeps it and takes the others", 1, "", "set a.lp missing.lp",
        QStringList{Warning} + announced(2) << Sensitive, "a.lp !missing.lp",
        "These load pull files could not be read. They stay in the list, and the settings of "
        "their variables are kept; remove a file to drop it.\n\n"
        "Load-pull data file \"%1/missing.lp\" does not exist.");
    row("a state whose only file cannot be read keeps it and makes the other tabs usable", 1, "",
        "set notes.lp", QStringList{Warning} + announced(1, {}) << Sensitive, "!notes.lp");
    row("a file missing at opening that is back is read at the next change", 1, "a.lp missing.lp",
        "copy sweep.spl missing.lp, add b.lp",
        QStringList{Warning} + announced(3, "Freq Pin_avail Vdd"_s), "a.lp missing.lp b.lp");
    row("a file added beside a missing one is taken", 1, "missing.lp", "add b.lp", announced(2),
        "!missing.lp b.lp");
    row("a listed file back on disk and chosen again is read, and no longer marked", 1,
        "a.lp missing.lp", R"(copy b.lp missing.lp, Add... "missing.lp")", announced(2),
        "a.lp missing.lp");
    row("a listed file still missing and named again stays marked, and the user is told why", 1,
        "a.lp missing.lp", "add missing.lp", {Warning}, "a.lp !missing.lp",
        "Already listed, and still cannot be read:\n\n"
        "Load-pull data file \"%1/missing.lp\" does not exist.");
    row("a listed file back but no load-pull data and chosen again is told with its new reason", 1,
        "a.lp missing.lp", R"(copy notes.lp missing.lp, Add... "missing.lp")", {Warning},
        "a.lp !missing.lp",
        "Already listed, and still cannot be read:\n\n\"%1/missing.lp\" is not a load-pull data "
        "file: it does not begin with \"LPDATA 1\".");
    row("a listed file back on disk and named again is read though a new file is refused", 1,
        "a.lp missing.lp", "copy b.lp missing.lp, add missing.lp notes.lp",
        QStringList{Warning} + announced(2), "a.lp missing.lp", "library");
    row("removing a missing file describes the others", 1, "a.lp missing.lp", "Remove... 1",
        announced(1), "a.lp");
    row("a name outside Latin-1 is refused, the others taken", 1, "",
        "add a.lp \u0434\u0430\u043d\u043d\u044b\u0435.lp", QStringList{Warning} + announced(1),
        "a.lp",
        "%1/\u0434\u0430\u043d\u043d\u044b\u0435.lp cannot be used: the design environment "
        "keeps file names as Latin-1 text, and this path holds other characters. Rename the file, "
        "or move it to a folder whose path holds Latin-1 characters only.");
    row("the library's message names a file outside ASCII as the user knows it", 1, "",
        "add caf\u00e9.lp", {Warning}, "",
        "\"%1/caf\u00e9.lp\" is not a load-pull data file: it does not begin with \"LPDATA 1\".");
    row("removing the only file makes the other tabs unusable after the signals", 1, "a.lp",
        "Remove... 0", announced(0, {}) << Insensitive, "");
    row("removing a Dataset file keeps the others as they are", 2, "x.ds z.ds", "Remove... 0",
        announced(1, {}), "z.ds");
    // A file that went while listed is noticed at the next change and kept, as at opening.
    row("a file gone from disk stays listed when another is removed", 1, "a.lp b.lp",
        "gone b.lp, Remove... 0", QStringList{Warning} + announced(1, {}), "!b.lp",
        "These load pull files could not be read. They stay in the list, and the settings of "
        "their variables are kept; remove a file to drop it.\n\n"
        "Load-pull data file \"%1/b.lp\" does not exist.");
    row("a file gone from disk stays listed when another is added", 1, "a.lp b.lp",
        "gone b.lp, add sweep.spl",
        QStringList{Warning, Warning} + announced(3, "Freq Pin_avail Vdd"_s),
        "a.lp !b.lp sweep.spl");
    row("a link whose file's name is not Latin-1 is taken by its own name", 1, "",
        "link \u0434\u0430\u043d\u043d\u044b\u0435.lp link.lp, add link.lp", announced(1),
        "link.lp");
    row("View sends the path with quotes and backslashes escaped", 1, R"(q"\x.lp)", "View... 0",
        {R"(CmdOp: de_invoke_text_editor( NULL, FALSE, NULL, "%1/q\"\\x.lp" );)"_s}, R"(q"\x.lp)");
    row("View sends no path holding a control character, and says why", 1, "tab\tname.lp",
        "View... 0", {Warning}, "tab\tname.lp",
        "%1/tab\tname.lp cannot be opened for viewing: its name holds a control character or a "
        "character outside Latin-1, which no command to the design environment can carry.");
}

// "%1": the current folder.
void tst_FileTabWidget::changes()
{
    QFETCH(int, type);
    QFETCH(QString, listed);
    QFETCH(QString, steps);
    QFETCH(QStringList, expectedLog);
    QFETCH(QString, expectedFiles);
    QFETCH(QString, lastBox);

    m_tab->setState(stateOf(type, split(listed)));
    m_log.clear();
    QStringList added;
    run(type, steps, added);
    if (QTest::currentTestFailed())
        return;
    const QString here = QDir::currentPath();
    QCOMPARE(m_log, expectedLog.replaceInStrings("%1"_s, here));
    QStringList files = split(expectedFiles);
    QStringList unreadable;
    for (QString &file : files)
        if (file.startsWith(u'!'))
            unreadable << file.remove(0, 1);
    QCOMPARE(m_tab->state(), stateOf(type, files));
    QCOMPARE(m_tab->unreadableFileNames(), stateOf(type, unreadable).fileNames());
    // Appending alone leaves the list as it was.
    if (!steps.startsWith("add"_s) && !steps.contains(", add"_s))
        QCOMPARE(shownRows(), split(expectedFiles));
    if (lastBox == "library"_s) {
        Corvane_LP::LoadpullUI ui;
        const bool accepted = LoadPullDataLibrary::query(
            stateOf(type, added).fileNames(), stateOf(type, split(listed)).fileNames(), ui);
        QString text = LoadPullDataLibrary::text(accepted ? ui.warningText : ui.errorText);
        // A warning names the files of the folder as the list does; its details in full.
        if (accepted) {
            QCOMPARE(m_lastDetails, text.section(u'\n', 1));
            text.replace(here + u'/', QString());
        }
        QCOMPARE(m_lastBox, text);
    } else if (!lastBox.isEmpty()) {
        QCOMPARE(m_lastBox, lastBox.replace("%1"_s, here));
    }
}

// The row of a file the library cannot read carries a warning sign and the library's reason.
void tst_FileTabWidget::rowsOfFilesThatCannotBeReadSayWhy()
{
    m_tab->setState(stateOf(MauryFileType, {"a.lp"_s, "missing.lp"_s, "notes.lp"_s}));
    QStringList marks;
    for (int row = 0; row < list()->count(); ++row)
        marks << (list()->item(row)->icon().isNull() ? "-"_s : "!"_s) +
                     list()->item(row)->toolTip().replace(QDir::currentPath(), "%1"_s);
    QCOMPARE(marks,
             QStringList({"-"_s, R"(!Load-pull data file "%1/missing.lp" does not exist.)"_s,
                          R"(!"%1/notes.lp" is not a load-pull data file: it does not begin )"
                          R"(with "LPDATA 1".)"_s}));
}

// A row's text is the file the state lists: neither F2, typing nor a double-click opens an
// editor that could show one name while the state keeps another.
void tst_FileTabWidget::rowsAreNotEditedInPlace()
{
    m_tab->setState(stateOf(MauryFileType, {"a.lp"_s, "b.lp"_s}));
    m_tab->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tab.get()));
    list()->setFocus();
    list()->setCurrentRow(1);
    QTest::keyClick(list(), Qt::Key_F2);
    QTest::keyClicks(list(), "c.lp"_s);
    QTest::keyClick(list(), Qt::Key_Return);
    const QPoint row = list()->visualItemRect(list()->item(0)).center();
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, row);
    QVERIFY(!list()->viewport()->findChild<QLineEdit *>());
    QCOMPARE(list()->allStrings(), QStringList({"a.lp"_s, "b.lp"_s}));
    QCOMPARE(m_tab->state(), stateOf(MauryFileType, {"a.lp"_s, "b.lp"_s}));
}

// Each added file brings a variable the others lack. Every accepted addition whose files
// disagree shows the library's warning whole, with no memory of earlier additions or editors;
// a removal shows none.
void tst_FileTabWidget::aWarningOnEveryAdditionThatHasOne()
{
    QCOMPARE(disagreeingFiles().size(), 9);
    m_tab->setState(stateOf(MauryFileType, {"base.lp"_s}));
    const auto add = [this](const QString &file) {
        m_lastBox.clear();
        m_fileDialogAnswer = file;
        QVERIFY(clickButton("Add..."_s));
    };
    QStringList own;
    for (int i = 1; i <= 8; ++i) {
        add("f%1.lp"_s.arg(i));
        own << "'v%1'"_s.arg(i);
        QCOMPARE(
            m_lastBox,
            "The load-pull data files do not agree:\nIn 1 of %1 files only: %2."_s.arg(i + 1).arg(
                own.join(", "_s)));
    }
    list()->setCurrentRow(8);
    m_lastBox.clear();
    QVERIFY(clickButton("Remove..."_s));
    QCOMPARE(m_lastBox, QString());
    add("f8.lp"_s);
    QVERIFY(m_lastBox.startsWith("The load-pull data files do not agree:"_s));
    m_lastBox.clear();
    FileTabWidget reopened;
    reopened.setState(m_tab->state());
    QVERIFY(m_lastBox.startsWith("The load-pull data files do not agree:"_s));
}

// Files in a folder of a long name whose 60 variables each have another unit, of another unit
// type: the box names what fits of the 120 disagreements and keeps every one in its details,
// and stays on the screen.
void tst_FileTabWidget::aWarningAboutLongPathsStaysOnTheScreen()
{
    const QString folder = QString(150, u'd') + u'/';
    QByteArray declared, other, columns, row;
    for (int i = 0; i < 60; ++i) {
        declared += "VAR=<x%1>, Units=<V>\n"_s.arg(i).toLatin1();
        other += "VAR=<x%1>, Units=<u>\n"_s.arg(i).toLatin1();
        columns += "x%1 "_s.arg(i).toLatin1();
        row += "1 ";
    }
    const QByteArray data = columns + "p\n" + row + "2\n";
    QVERIFY(makeFile(folder + "base.lp"_s, "LPDATA 1\n" + declared + "OUT=<p>\n" + data));
    QVERIFY(makeFile(folder + "other.lp"_s, "LPDATA 1\n" + other + "OUT=<p>\n" + data));
    m_tab->setState(stateOf(MauryFileType, {folder + "base.lp"_s, folder + "other.lp"_s}));
    QCOMPARE(m_lastBox.split(u'\n').last(), "and 114 more"_s);
    QCOMPARE(m_lastDetails.split(u'\n').size(), 120);
    QVERIFY2(m_lastBox.contains("\u2026/other.lp"_s), qPrintable(m_lastBox));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(m_lastBoxSize.height() <= screen.height(),
             qPrintable("%1 px high"_s.arg(m_lastBoxSize.height())));
}

void tst_FileTabWidget::variablesOfAFile()
{
    QVERIFY(makeFile("known.lp"_s, KnownValues));
    QSignalSpy variables(m_tab.get(), &FileTabWidget::foundVariables);
    QSignalSpy quantities(m_tab.get(), &FileTabWidget::foundPerformanceVariables);
    m_tab->setState(stateOf(MauryFileType, {"known.lp"_s}));
    QStringList seen;
    for (const IndepVarInfo &v : variables.first().at(0).value<QList<IndepVarInfo>>())
        seen << "%1 %2 %3 %4..%5 '%6'"_s.arg(v.name(), v.unitType(), v.unit(), v.minValue(),
                                             v.maxValue(), v.value());
    for (const GammaVarInfo &v : variables.first().at(1).value<QList<GammaVarInfo>>())
        seen << "%1 %2 %3 %4 %5..%6 %7..%8 points '%9'"_s.arg(
            v.name(), v.type(), v.harmIndex(), v.domain(), v.minValue(), v.maxValue(),
            QString::number(v.minNumPoints()), QString::number(v.maxNumPoints()), v.value());
    for (const PerformanceVarBaseInfo &v :
         quantities.first().at(0).value<QList<PerformanceVarBaseInfo>>())
        seen << "%1 %2 %3..%4 complex %5"_s.arg(v.name(), v.unit(), v.minValue(), v.maxValue())
                    .arg(v.isComplex());
    // A gamma held at a fixed value has one point there; a quantity's range runs from its
    // lowest to its highest value.
    QCOMPARE(
        seen,
        QStringList({"Freq Frequency Hz 9e+08..1.8505e+09 'freq'"_s, "Vdd Voltage V 24..28.5 ''"_s,
                     "gamma_ld2 Load 2 Polar-Mag 0.25..0.75 1..2 points 'Independent'"_s,
                     "gamma_src1 Source 1 Rect-Imag 0.4..0.4 1..1 points 'Independent'"_s,
                     "Pout dBm -1.5..31 complex 0"_s}));
}

void tst_FileTabWidget::aFixedReflectionCoefficientHasOnePoint_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("points"); // of gamma_src1 as last announced, and its range

    const auto row = [](const char *name, const char *steps, const char *points) {
        QTest::newRow(name) << QString::fromUtf8(steps) << QString::fromUtf8(points);
    };
    row("fixed at two values in two files, it has one point in each", "set fixed.lp fixed2.lp",
        "1..1 at 0.3..0.5");
    row("fixed in a file added beside a sweep, it has one point to the sweep's",
        "set swept.lp, add fixed.lp", "1..2 at 0.1..0.3");
    row("with the sweep's file removed, one point again", "set fixed.lp swept.lp, Remove... 1",
        "1..1 at 0.3..0.3");
    row("with the fixed value's file removed, the sweep's points alone",
        "set swept.lp fixed.lp, Remove... 1", "2..2 at 0.1..0.2");
}

// The files' sweep blocks hold three, two and four rows, which never count as its points.
void tst_FileTabWidget::aFixedReflectionCoefficientHasOnePoint()
{
    QFETCH(QString, steps);
    QFETCH(QString, points);

    const QByteArray declared = "LPDATA 1\nVAR=<Vdd>\nOUT=<Pout>\nGAMMA=<gamma_src1>";
    QVERIFY(makeFile("fixed.lp"_s, declared + ", Value=<0.3, 0.4>\nVdd Pout\n24 1\n28 2\n32 3\n"));
    QVERIFY(makeFile("fixed2.lp"_s, declared + ", Value=<0.5, 0>\nVdd Pout\n24 1\n28 2\n"));
    QVERIFY(makeFile("swept.lp"_s, declared + "\nVdd Re(gamma_src1) Im(gamma_src1) Pout\n"
                                              "24 0.1 0 1\n24 0.2 0 1\n28 0.1 0 1\n28 0.2 0 1\n"));
    QSignalSpy announced(m_tab.get(), &FileTabWidget::foundVariables);
    QStringList added;
    run(MauryFileType, steps, added);
    if (QTest::currentTestFailed())
        return;
    const auto gammas = announced.last().at(1).value<QList<GammaVarInfo>>();
    QCOMPARE(gammas.size(), 1);
    QCOMPARE("%1..%2 at %3..%4"_s.arg(gammas.first().minNumPoints())
                 .arg(gammas.first().maxNumPoints())
                 .arg(gammas.first().minValue(), gammas.first().maxValue()),
             points);
}

void tst_FileTabWidget::filesAreShownRelativeToTheBaseDirectory_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("shown"); // "%1": the file's full path

    const auto row = [](const char *file, const char *shown) {
        QTest::newRow(file) << QString::fromUtf8(file) << QString::fromUtf8(shown);
    };
    row("data/sub/c.lp", "sub/c.lp");
    row("data2/c.lp", "../data2/c.lp"); // a sibling folder whose name begins alike
    row("a.lp", "%1");
}

// Without a data folder files are shown relative to the current one: see changes().
void tst_FileTabWidget::filesAreShownRelativeToTheBaseDirectory()
{
    QFETCH(QString, file);
    QFETCH(QString, shown);

    QVERIFY(QDir().mkdir("data"_s) && (QFile::exists(file) || makeFile(file)));
    FileTabWidget tab;
    tab.setState(stateOf(MauryFileType, {file}));
    QCOMPARE(tab.findChild<EnhancedListWidget *>()->allStrings(),
             QStringList{shown.replace("%1"_s, stateOf(1, {file}).fileNames().first())});
    tab.addLoadPullFile(); // the file dialog opens in the same folder and is cancelled
    QCOMPARE(m_fileDialog, "Select Load Pull File | "_s + QDir("data"_s).absolutePath() +
                               " | Maury load pull files ( *.lp *.lp2 *.lp3 *.spl )"_s);
}

// A name relative to the data folder is found there; a name with a blank at its end is another
// file, shown in quotes. Rows act on the names the state keeps, which are written back as
// they were stored.
void tst_FileTabWidget::storedNamesActByRowAsTheComponentNamesThem()
{
    QVERIFY(makeFile("data/pa.lp"_s));
    FileTabWidget tab;
    tab.setState(stateOf(MauryFileType, {}));
    FileTabState stored;
    stored.setFileType(MauryFileType);
    stored.setFileNames({"pa.lp"_s, "data/pa.lp "_s});
    tab.setState(stored);
    auto *rows = tab.findChild<EnhancedListWidget *>();
    QCOMPARE(rows->allStrings(), QStringList({"pa.lp"_s, "\"pa.lp \""_s}));
    QVERIFY(rows->item(0)->icon().isNull() && !rows->item(1)->icon().isNull());

    m_log.clear();
    tab.appendLoadPullFiles({QDir("data"_s).absoluteFilePath("pa.lp"_s)});
    QCOMPARE(m_log.first(), Information);
    QCOMPARE(m_lastBox, "Already listed, so read again: pa.lp"_s);

    m_tvl.clearCommands();
    rows->setCurrentRow(1);
    for (QPushButton *button : tab.findChildren<QPushButton *>())
        if (button->text() == "View..."_s)
            button->click();
    QCOMPARE(QString::fromStdString(m_tvl.commands().back().text),
             "de_invoke_text_editor( NULL, FALSE, NULL, \"%1/data/pa.lp \" );"_s.arg(
                 QDir::currentPath()));

    rows->setCurrentRow(0);
    rows->deleteSelectedRow();
    QCOMPARE(tab.state().fileNames(), QStringList{"data/pa.lp "_s});
}

// Over the tab when it shows; while it does not, as when the editor opens, over the window
// the user works in rather than at a corner of the screen.
void tst_FileTabWidget::boxesShowOverTheWindowTheUserWorksIn()
{
    m_tab->setState(stateOf(MauryFileType, {"a.lp"_s}));
    QWidget window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    m_tab->appendLoadPullFiles({"a.lp"_s});
    QCOMPARE(m_lastBoxParent, &window);

    m_tab->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tab.get()));
    m_tab->appendLoadPullFiles({"a.lp"_s});
    QCOMPARE(m_lastBoxParent, m_tab.get());
}

QTEST_MAIN(tst_FileTabWidget)

#include "tst_filetabwidget.moc"
