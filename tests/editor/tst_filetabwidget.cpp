#include "filetabwidget.h"

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
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace LoadPullStateUtils;

namespace {

QString operator""_s(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, int(size));
}

const QString TwoFrequencies = "pa_two_frequencies.lp"_s;
const QString SupplySweep = "pa_supply_sweep.spl"_s;
const QString Sensitive = "CmdOp: dblp_make_all_tabs_sensitive(); "_s;
const QString Insensitive = "CmdOp: dblp_make_all_but_file_tab_insensitive(); "_s;
const QString Information = "information"_s;
const QString Warning = "warning"_s;

// One file whose every reported value is known: two frequency blocks of four and three
// rows, a swept load gamma and two fixed gammas.
const QByteArray KnownValues = R"(LPDATA 1
VAR=<Freq>, Units=<Hz>, Type=<Frequency>
VAR=<Vdd>, Units=<V>
GAMMA=<gamma_ld2>, Domain=<Polar-Mag>
GAMMA=<gamma_src1>, Domain=<Rect-Imag>, Value=<0.3, 0.4>
GAMMA=<refl>, Harmonic=<3>, Value=<0.1, 0.2>
OUT=<Pout>, Units=<dBm>
OUT=<Vout>, Units=<V>, Complex=<yes>
Vdd Re(gamma_ld2) Im(gamma_ld2) Pout Re(Vout) Im(Vout)
Freq = 900000000 Hz
24 0.75 0 30.5 3 4
28.5 0.75 0 31 1 0
24 0 0.25 29 0 2
28.5 0 0.25 29.5 0.75 0
Freq = 1850500000 Hz
24 0.75 0 30 1 0
24 0.75 0 30.25 1 0
24 0.75 0 -1.5 0 0.5
)";

// What the log shows for an accepted change, in the order it must come.
QStringList announced(int numFiles)
{
    const QString n = QString::number(numFiles);
    return {"foundVariables "_s + n, "foundPerformanceVariables "_s + n, "stateChanged"_s,
            "fileListModified"_s};
}

QStringList names(std::initializer_list<const char *> texts)
{
    QStringList result;
    for (const char *text : texts)
        result << QString::fromUtf8(text);
    return result;
}

// Names relative to the current directory as the tab stores them.
QStringList canonical(const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths << QFileInfo(name).canonicalFilePath();
    return paths;
}

QStringList absolute(const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths << QDir::current().absoluteFilePath(name);
    return paths;
}

FileTabState stateOf(LoadPullFileType type, const QStringList &paths)
{
    FileTabState state;
    state.setFileType(type);
    state.setFileNames(paths);
    return state;
}

template<typename Info> QStringList namesOf(const QList<Info> &infos)
{
    QStringList names;
    for (const Info &info : infos)
        names << info.name();
    return names;
}

QString described(const IndepVarInfo &v)
{
    return "%1 %2, %3 to %4, %5 to %6 points, value '%7', %8"_s.arg(
        v.unitType(), v.unit(), v.minValue(), v.maxValue(), QString::number(v.minNumPoints()),
        QString::number(v.maxNumPoints()), v.value(),
        v.isFrequency() ? "frequency"_s : "not frequency"_s);
}

QString described(const GammaVarInfo &v)
{
    return "%1 harmonic %2 %3, %4 to %5, %6 to %7 points, value '%8'"_s.arg(
        v.type(), v.harmIndex(), v.domain(), v.minValue(), v.maxValue(),
        QString::number(v.minNumPoints()), QString::number(v.maxNumPoints()), v.value());
}

QString described(const PerformanceVarBaseInfo &v)
{
    return "%1, %2 to %3, %4"_s.arg(v.unit(), v.minValue(), v.maxValue(),
                                    v.isComplex() ? "complex"_s : "real"_s);
}

template<typename Info> QString describedIn(const QList<Info> &infos, const QString &name)
{
    for (const Info &info : infos) {
        if (info.name() == name)
            return described(info);
    }
    return {};
}

// The data library's own texts for adding `add` to `keep`: what the tab must show.
QString libraryText(const QStringList &add, const QStringList &keep)
{
    Corvane_LP::LoadpullUI ui;
    const bool accepted = LoadPullDataLibrary::query(add, keep, ui);
    return QString::fromStdString(accepted ? ui.warningText : ui.errorText);
}

struct ShownBox
{
    QString title;
    QString text;
    Qt::TextFormat format;
    QMessageBox::StandardButtons buttons;
    bool hasDefaultButton;
    const QWidget *parent;
};

} // namespace

class tst_FileTabWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void addingFiles_data();
    void addingFiles();
    void addingThroughTheDialog_data();
    void addingThroughTheDialog();
    void refusedByFileType_data();
    void refusedByFileType();
    void removingFiles_data();
    void removingFiles();
    void refusedRemoval_data();
    void refusedRemoval();
    void variablesOfTheFiles_data();
    void variablesOfTheFiles();
    void setStateTellsTheHost_data();
    void setStateTellsTheHost();
    void filesAreShownRelativeToTheBaseDirectory_data();
    void filesAreShownRelativeToTheBaseDirectory();
    void viewingAFile_data();
    void viewingAFile();
    void removeFollowsTheRowPositionNotItsText();

private:
    bool makeTab();
    void preset(LoadPullFileType type, const QStringList &names);
    void clearRecords();
    void answer(QWidget *dialog);
    void verifyAnnouncementsMatchTheState(LoadPullFileType type);
    static void copyExample(const QString &example, const QString &to);
    static void writeFile(const QString &to, const QByteArray &contents);
    EnhancedListWidget *list() const { return m_tab->findChild<EnhancedListWidget *>(); }
    QStringList rows() const { return list()->allStrings(); }
    bool clickButton(const QString &text);
    bool selectRow(int row);
    bool editRow(int row, const QString &text);

    ReferenceTvlInterface m_tvl;
    QString m_startDir;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalDialogAnswerer> m_answerer;
    std::unique_ptr<FileTabWidget> m_tab;
    std::unique_ptr<QSignalSpy> m_foundVariables;
    std::unique_ptr<QSignalSpy> m_foundPerformanceVariables;
    std::unique_ptr<QSignalSpy> m_stateChanged;
    // Signals, host commands and message boxes in the order they happened.
    QStringList m_log;
    QList<ShownBox> m_boxes;
    QStringList m_fileDialogs;  // caption, directory and filters of each
    QString m_fileDialogAnswer; // null: cancel the dialog
};

void tst_FileTabWidget::initTestCase()
{
    registerStateMetaTypes();
    m_tvl.setCommandListener([this](const ReferenceTvlInterface::Command &command) {
        m_log << QString::fromStdString(command.target) + ": "_s +
                     QString::fromStdString(command.text);
    });
}

void tst_FileTabWidget::init()
{
    m_startDir = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    copyExample(TwoFrequencies, "a.lp"_s);
    copyExample(TwoFrequencies, "b.lp"_s);
    copyExample(SupplySweep, "sweep.spl"_s);
    for (const QString &name : {"notes.lp"_s, "<b>notes.lp"_s})
        writeFile(name, "not load-pull data\n");
    for (const QString &name : {"x.ds"_s, "z.ds"_s, "X.DS"_s, "y.lpd"_s})
        writeFile(name, "read by the host itself\n");
    QVERIFY(QDir::current().mkdir("sub"_s));

    InterfaceHolder::instance().store(&m_tvl);
    InterfaceHolder::instance().accept();
    m_answerer = std::make_unique<ModalDialogAnswerer>([this](QWidget *dialog) { answer(dialog); });
    QVERIFY(makeTab());
}

void tst_FileTabWidget::cleanup()
{
    const QWidget *tab = m_tab.get();
    m_foundVariables.reset();
    m_foundPerformanceVariables.reset();
    m_stateChanged.reset();
    m_tab.reset();
    const int forcedClosed = m_answerer ? m_answerer->dialogsForcedClosed() : 0;
    m_answerer.reset();
    InterfaceHolder::instance().store(nullptr);
    QDir::setCurrent(m_startDir);
    m_dir.reset();
    const QList<ShownBox> boxes = m_boxes;
    clearRecords();
    m_fileDialogs.clear();
    m_fileDialogAnswer.clear();

    QCOMPARE(forcedClosed, 0);
    // Every box carries file names or data-library texts, never to be read as markup.
    for (const ShownBox &box : boxes) {
        QCOMPARE(box.title, "DataBasedLoadPull"_s);
        QCOMPARE(box.format, Qt::PlainText);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(!box.hasDefaultButton);
        QVERIFY(box.parent == tab);
    }
}

bool tst_FileTabWidget::makeTab()
{
    m_foundVariables.reset();
    m_foundPerformanceVariables.reset();
    m_stateChanged.reset();
    m_tab = std::make_unique<FileTabWidget>();
    FileTabWidget *tab = m_tab.get();
    connect(tab, &FileTabWidget::foundVariables, this,
            [this](const QList<IndepVarInfo> &, const QList<GammaVarInfo> &, int numFiles) {
                m_log << "foundVariables "_s + QString::number(numFiles);
            });
    connect(tab, &FileTabWidget::foundPerformanceVariables, this,
            [this](const QList<PerformanceVarBaseInfo> &, int numFiles) {
                m_log << "foundPerformanceVariables "_s + QString::number(numFiles);
            });
    connect(tab, &FileTabWidget::stateChanged, this, [this] { m_log << "stateChanged"_s; });
    connect(tab, &FileTabWidget::fileListModified, this, [this] { m_log << "fileListModified"_s; });
    m_foundVariables = std::make_unique<QSignalSpy>(tab, &FileTabWidget::foundVariables);
    m_foundPerformanceVariables =
        std::make_unique<QSignalSpy>(tab, &FileTabWidget::foundPerformanceVariables);
    m_stateChanged = std::make_unique<QSignalSpy>(tab, &FileTabWidget::stateChanged);
    tab->show();
    return QTest::qWaitForWindowExposed(tab);
}

// Lists the files through setState and forgets what that announced.
void tst_FileTabWidget::preset(LoadPullFileType type, const QStringList &names)
{
    m_tab->setState(stateOf(type, absolute(names)));
    clearRecords();
}

void tst_FileTabWidget::clearRecords()
{
    m_log.clear();
    m_boxes.clear();
    for (QSignalSpy *spy :
         {m_foundVariables.get(), m_foundPerformanceVariables.get(), m_stateChanged.get()}) {
        if (spy)
            spy->clear();
    }
}

void tst_FileTabWidget::answer(QWidget *dialog)
{
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        m_boxes << ShownBox{box->windowTitle(),
                            box->text(),
                            box->textFormat(),
                            box->standardButtons(),
                            box->defaultButton() != nullptr,
                            box->parentWidget()};
        const QMessageBox::Icon icon = box->icon();
        m_log << (icon == QMessageBox::Warning       ? Warning
                  : icon == QMessageBox::Information ? Information
                                                     : "box with another icon"_s);
        clickMessageBoxButton(box, QMessageBox::Ok);
    } else if (auto *fileDialog = qobject_cast<QFileDialog *>(dialog)) {
        m_fileDialogs << fileDialog->windowTitle() + " | "_s +
                             fileDialog->directory().absolutePath() + " | "_s +
                             fileDialog->nameFilters().join(" ; "_s);
        if (m_fileDialogAnswer.isNull()) {
            fileDialog->reject();
            return;
        }
        // While the name field has the focus the dialog ignores the names set in it.
        if (QWidget *focus = QApplication::focusWidget())
            focus->clearFocus();
        fileDialog->findChild<QLineEdit *>("fileNameEdit"_s)->setText(m_fileDialogAnswer);
        static_cast<QDialog *>(fileDialog)->accept();
    }
}

void tst_FileTabWidget::verifyAnnouncementsMatchTheState(LoadPullFileType type)
{
    const FileTabState state = m_tab->state();
    // Only the data library describes variables, and only of files that are listed.
    const bool described = type == MauryFileType && !state.isEmpty();
    for (const QList<QVariant> &arguments : qAsConst(*m_foundVariables)) {
        QCOMPARE(arguments.at(0).value<QList<IndepVarInfo>>().isEmpty(), !described);
        QCOMPARE(arguments.at(1).value<QList<GammaVarInfo>>().isEmpty(), !described);
        QCOMPARE(arguments.at(2).toInt(), state.count());
    }
    for (const QList<QVariant> &arguments : qAsConst(*m_foundPerformanceVariables)) {
        QCOMPARE(arguments.at(0).value<QList<PerformanceVarBaseInfo>>().isEmpty(), !described);
        QCOMPARE(arguments.at(1).toInt(), state.count());
    }
    for (const QList<QVariant> &arguments : qAsConst(*m_stateChanged))
        QCOMPARE(arguments.at(0).value<FileTabState>(), state);
}

void tst_FileTabWidget::copyExample(const QString &example, const QString &to)
{
    QDir().mkpath(QFileInfo(to).path());
    QVERIFY(QFile::copy(QStringLiteral(LP_EXAMPLE_DATA_DIR "/") + example, to));
}

void tst_FileTabWidget::writeFile(const QString &to, const QByteArray &contents)
{
    QFile file(to);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(contents), qint64(contents.size()));
}

bool tst_FileTabWidget::clickButton(const QString &text)
{
    for (QPushButton *button : m_tab->findChildren<QPushButton *>()) {
        if (button->text() == text && button->isEnabled()) {
            QTest::mouseClick(button, Qt::LeftButton);
            return true;
        }
    }
    return false;
}

bool tst_FileTabWidget::selectRow(int row)
{
    QListWidget *view = list();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualItemRect(view->item(row)).center());
    return view->currentRow() == row;
}

// Types the text into the row's own editor, as the user edits a row in place.
bool tst_FileTabWidget::editRow(int row, const QString &text)
{
    QListWidget *view = list();
    view->editItem(view->item(row));
    auto *editor = view->viewport()->findChild<QLineEdit *>();
    if (!editor)
        return false;
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    return QTest::qWaitFor([&] { return view->item(row)->text() == text; });
}

void tst_FileTabWidget::addingFiles_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("expectedFiles");
    QTest::addColumn<QStringList>("expectedLog");

    QTest::newRow("a first file announces its variables and the new state")
        << 1 << names({}) << names({"a.lp"}) << names({"a.lp"}) << announced(1);
    QTest::newRow("numFiles counts every listed file, not the added ones")
        << 1 << names({"a.lp"}) << names({"b.lp"}) << names({"a.lp", "b.lp"}) << announced(2);
    QTest::newRow("a listed file named by other relative paths changes nothing")
        << 1 << names({"a.lp"}) << names({"./a.lp", "sub/../a.lp"}) << names({"a.lp"}) << names({});
    QTest::newRow("a file named three times in one call is taken once")
        << 1 << names({}) << names({"a.lp", "./a.lp", "a.lp"}) << names({"a.lp"}) << announced(1);
    QTest::newRow("files that disagree on their variables are taken after the library's warning")
        << 1 << names({"a.lp"}) << names({"sweep.spl"}) << names({"a.lp", "sweep.spl"})
        << QStringList{Warning} + announced(2);
    QTest::newRow("one file that is not load-pull data refuses the whole call with its text")
        << 1 << names({"a.lp"}) << names({"b.lp", "notes.lp"}) << names({"a.lp"})
        << QStringList{Information};
    QTest::newRow("a refusal naming a file with markup in its name shows the name as it is")
        << 1 << names({}) << names({"<b>notes.lp"}) << names({}) << QStringList{Information};
    QTest::newRow("a Dataset call tests the suffix of its first file only")
        << 2 << names({}) << names({"x.ds", "y.lpd"}) << names({"x.ds", "y.lpd"}) << announced(2);
    QTest::newRow("a Dataset suffix is compared in lower case")
        << 2 << names({"x.ds"}) << names({"X.DS"}) << names({"x.ds", "X.DS"}) << announced(2);
    QTest::newRow("a Focus call tests the suffix of its first file only")
        << 3 << names({}) << names({"y.lpd", "x.ds"}) << names({"y.lpd", "x.ds"}) << announced(2);
}

void tst_FileTabWidget::addingFiles()
{
    QFETCH(int, type);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, added);
    QFETCH(QStringList, expectedFiles);
    QFETCH(QStringList, expectedLog);

    preset(LoadPullFileType(type), listed);
    m_tab->appendLoadPullFiles(added);
    QCOMPARE(m_log, expectedLog);
    QCOMPARE(m_tab->state().fileNames(), canonical(expectedFiles));
    for (const ShownBox &box : qAsConst(m_boxes))
        QCOMPARE(box.text, libraryText(canonical(added), canonical(listed)));
    verifyAnnouncementsMatchTheState(LoadPullFileType(type));
}

void tst_FileTabWidget::addingThroughTheDialog_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("chosen"); // null: the dialog is cancelled
    QTest::addColumn<QStringList>("expectedRows");
    QTest::addColumn<QStringList>("expectedLog");

    QTest::newRow("the first files make the other tabs usable after the signals")
        << names({}) << R"("a.lp" "b.lp")"_s << names({"a.lp", "b.lp"})
        << announced(2) + QStringList{Sensitive};
    QTest::newRow("files added to listed ones send no command")
        << names({"data/a.lp"}) << R"("b.lp")"_s << names({"a.lp", "b.lp"}) << announced(2);
    QTest::newRow("a listed file chosen again changes nothing")
        << names({"data/a.lp"}) << R"("a.lp")"_s << names({"a.lp"}) << names({});
    QTest::newRow("a refused first file sends no command")
        << names({}) << R"("notes.lp")"_s << names({}) << QStringList{Information};
    QTest::newRow("a cancelled dialog changes nothing")
        << names({"data/a.lp"}) << QString() << names({"a.lp"}) << names({});
}

void tst_FileTabWidget::addingThroughTheDialog()
{
    QFETCH(QStringList, listed);
    QFETCH(QString, chosen);
    QFETCH(QStringList, expectedRows);
    QFETCH(QStringList, expectedLog);

    // The dialog opens in the data folder, so the chosen names are relative to it.
    QVERIFY(QDir().mkdir("data"_s));
    for (const QString &name : {"a.lp"_s, "b.lp"_s, "notes.lp"_s})
        QVERIFY(QFile::copy(name, "data/"_s + name));
    QVERIFY(makeTab());
    preset(MauryFileType, listed);

    m_fileDialogAnswer = chosen;
    QVERIFY(clickButton("Add..."_s));
    QCOMPARE(m_fileDialogs,
             QStringList{"Select Load Pull File | "_s + QDir::current().absoluteFilePath("data"_s) +
                         " | Maury load pull files ( *.lp *.lp2 *.lp3 *.spl )"_s});
    QCOMPARE(m_log, expectedLog);
    QCOMPARE(rows(), expectedRows);
    QStringList expectedFiles;
    for (const QString &row : expectedRows)
        expectedFiles << "data/"_s + row;
    QCOMPARE(m_tab->state().fileNames(), canonical(expectedFiles));
    verifyAnnouncementsMatchTheState(MauryFileType);
}

void tst_FileTabWidget::refusedByFileType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QStringList>("expectedParts"); // "%1": the file's full path

    QTest::newRow("with no file type every file is refused")
        << 0 << "a.lp"_s
        << QStringList{"Invalid file type found: please choose a valid load pull file"_s};
    QTest::newRow("a Dataset file under Focus is refused naming it and the suffix")
        << 3 << "x.ds"_s << names({"%1", ".lpd"});
    QTest::newRow("a Focus file under Dataset is refused naming it, shown as plain text")
        << 2 << "<img src=x>.lpd"_s << names({"%1", ".ds"});
}

void tst_FileTabWidget::refusedByFileType()
{
    QFETCH(int, type);
    QFETCH(QString, added);
    QFETCH(QStringList, expectedParts);

    if (!QFile::exists(added))
        writeFile(added, "read by the host itself\n");
    preset(LoadPullFileType(type), {});
    m_tab->appendLoadPullFiles({added});
    QCOMPARE(m_log, QStringList{Information});
    QVERIFY(m_tab->state().isEmpty());
    for (const QString &part : expectedParts.replaceInStrings("%1"_s, canonical({added}).first()))
        QVERIFY2(m_boxes.first().text.contains(part), qPrintable(m_boxes.first().text));
}

void tst_FileTabWidget::removingFiles_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("expectedFiles");
    QTest::addColumn<QStringList>("expectedLog");
    QTest::addColumn<QStringList>("expectedVariables");

    QTest::newRow("removing the second of two files describes the first alone")
        << names({"a.lp", "sweep.spl"}) << 1 << names({"a.lp"}) << announced(1)
        << names({"Freq", "Pin_avail"});
    QTest::newRow("removing the first of two files keeps the second")
        << names({"a.lp", "sweep.spl"}) << 0 << names({"sweep.spl"}) << announced(1)
        << names({"Freq", "Vdd", "Pin_avail"});
    QTest::newRow("removing the only file makes the other tabs unusable after the signals")
        << names({"a.lp"}) << 0 << names({}) << announced(0) + QStringList{Insensitive}
        << names({});
}

void tst_FileTabWidget::removingFiles()
{
    QFETCH(QStringList, listed);
    QFETCH(int, row);
    QFETCH(QStringList, expectedFiles);
    QFETCH(QStringList, expectedLog);
    QFETCH(QStringList, expectedVariables);

    preset(MauryFileType, listed);
    QVERIFY(selectRow(row));
    QVERIFY(clickButton("Remove..."_s));
    QCOMPARE(m_log, expectedLog);
    QCOMPARE(m_tab->state().fileNames(), canonical(expectedFiles));
    QCOMPARE(rows(), expectedFiles);
    QCOMPARE(namesOf(m_foundVariables->first().at(0).value<QList<IndepVarInfo>>()),
             expectedVariables);
    verifyAnnouncementsMatchTheState(MauryFileType);
}

void tst_FileTabWidget::refusedRemoval_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("goneFromDisk");
    QTest::addColumn<QStringList>("expectedFiles");
    QTest::addColumn<QStringList>("expectedLog");

    // The data library reads what is left even of Dataset files, and refuses them.
    QTest::newRow("a file the library cannot drop comes back at the end through the addition")
        << 2 << names({"x.ds", "z.ds"}) << QString() << names({"z.ds", "x.ds"})
        << announced(2) + QStringList{Information};
    QTest::newRow("a file is not taken back while another listed file is gone from disk")
        << 1 << names({"a.lp", "b.lp"}) << "b.lp"_s << names({"b.lp"})
        << QStringList{Information, Information};
}

void tst_FileTabWidget::refusedRemoval()
{
    QFETCH(int, type);
    QFETCH(QStringList, listed);
    QFETCH(QString, goneFromDisk);
    QFETCH(QStringList, expectedFiles);
    QFETCH(QStringList, expectedLog);

    preset(LoadPullFileType(type), listed);
    const QString removed = m_tab->state().fileNames().first();
    QVERIFY(goneFromDisk.isNull() || QFile::remove(goneFromDisk));
    QVERIFY(selectRow(0));
    QVERIFY(clickButton("Remove..."_s));

    QCOMPARE(m_log, expectedLog);
    QCOMPARE(m_tab->state().fileNames(), absolute(expectedFiles));
    QCOMPARE(rows(), expectedFiles);
    // Boxes before the last come from the addition path, which the gone file refuses.
    for (int i = 0; i + 1 < m_boxes.size(); ++i)
        QVERIFY(m_boxes.at(i).text.contains(QDir::current().absoluteFilePath(goneFromDisk)));
    QCOMPARE(m_boxes.last().text, " Could not remove file %1 from internal cache."_s.arg(removed));
    verifyAnnouncementsMatchTheState(LoadPullFileType(type));
}

void tst_FileTabWidget::variablesOfTheFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("a frequency variable takes freq as its value")
        << "Freq"_s
        << "Frequency Hz, 9e+08 to 1.8505e+09, 2 to 2 points, value 'freq', frequency"_s;
    QTest::newRow("another variable keeps its unit type and has no value")
        << "Vdd"_s
        << "Voltage V, 24 to 28.5, 1 to 2 points, value '', not frequency"_s;
    QTest::newRow("a swept reflection coefficient keeps its own point counts")
        << "gamma_ld2"_s
        << "Load harmonic 2 Polar-Mag, 0.25 to 0.75, 1 to 2 points, value 'Independent'"_s;
    QTest::newRow("a fixed source reflection coefficient takes the file's point counts")
        << "gamma_src1"_s
        << "Source harmonic 1 Rect-Imag, 0.4 to 0.4, 3 to 4 points, value 'Independent'"_s;
    QTest::newRow("a reflection coefficient of unknown type keeps its harmonic")
        << "refl"_s
        << "Unknown harmonic 3 Rect-Real, 0.1 to 0.1, 3 to 4 points, value 'Independent'"_s;
    QTest::newRow("a performance quantity carries its unit and range") << "Pout"_s
                                                                       << "dBm, -1.5 to 31, real"_s;
    QTest::newRow("a complex performance quantity is marked so") << "Vout"_s
                                                                 << "V, 0.5 to 5, complex"_s;
}

void tst_FileTabWidget::variablesOfTheFiles()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);

    writeFile("known.lp"_s, KnownValues);
    preset(MauryFileType, {});
    m_tab->appendLoadPullFiles({"known.lp"_s});
    QCOMPARE(m_foundVariables->size(), 1);
    QCOMPARE(m_foundPerformanceVariables->size(), 1);
    const auto independent = m_foundVariables->first().at(0).value<QList<IndepVarInfo>>();
    const auto gammas = m_foundVariables->first().at(1).value<QList<GammaVarInfo>>();
    const auto performance =
        m_foundPerformanceVariables->first().at(0).value<QList<PerformanceVarBaseInfo>>();
    QCOMPARE(namesOf(independent), names({"Freq", "Vdd"}));
    QCOMPARE(namesOf(gammas), names({"gamma_ld2", "gamma_src1", "refl"}));
    QCOMPARE(namesOf(performance), names({"Pout", "Vout"}));
    // Names are unique across the three lists, so only one of them describes the name.
    QCOMPARE(describedIn(independent, name) + describedIn(gammas, name) +
                 describedIn(performance, name),
             expected);
}

void tst_FileTabWidget::setStateTellsTheHost_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expectedFiles");
    QTest::addColumn<QStringList>("expectedLog");

    QTest::newRow("a state whose files load makes the other tabs usable")
        << names({}) << names({"a.lp", "b.lp"}) << names({"a.lp", "b.lp"})
        << announced(2) + QStringList{Sensitive};
    QTest::newRow("a state with a missing file is refused whole and makes them unusable")
        << names({}) << names({"a.lp", "missing.lp"}) << names({})
        << QStringList{Information, Insensitive};
    QTest::newRow("an empty state empties the list and makes them unusable")
        << names({"a.lp"}) << names({}) << names({}) << QStringList{Insensitive};
    QTest::newRow("a new state replaces the files listed before")
        << names({"a.lp"}) << names({"b.lp"}) << names({"b.lp"})
        << announced(1) + QStringList{Sensitive};
}

void tst_FileTabWidget::setStateTellsTheHost()
{
    QFETCH(QStringList, listed);
    QFETCH(QStringList, files);
    QFETCH(QStringList, expectedFiles);
    QFETCH(QStringList, expectedLog);

    preset(MauryFileType, listed);
    m_tab->setState(stateOf(MauryFileType, absolute(files)));
    QCOMPARE(m_log, expectedLog);
    QCOMPARE(m_tab->state(), stateOf(MauryFileType, canonical(expectedFiles)));
    QCOMPARE(rows(), expectedFiles);
    verifyAnnouncementsMatchTheState(MauryFileType);
}

void tst_FileTabWidget::filesAreShownRelativeToTheBaseDirectory_data()
{
    QTest::addColumn<bool>("dataFolder");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("shown"); // "%1": the file's full path

    QTest::newRow("a file in the data folder is shown relative to it") << true << "data/c.lp"_s
                                                                       << "c.lp"_s;
    QTest::newRow("a file below the data folder keeps its subfolder") << true << "data/sub/c.lp"_s
                                                                      << "sub/c.lp"_s;
    QTest::newRow("a file in a sibling folder whose name begins alike climbs out to it")
        << true << "data2/c.lp"_s
        << "../data2/c.lp"_s;
    QTest::newRow("a file beside the data folder is shown by its full path") << true << "a.lp"_s
                                                                             << "%1"_s;
    QTest::newRow("without a data folder a file below the current folder is shown relative")
        << false << "store/c.lp"_s
        << "store/c.lp"_s;
}

void tst_FileTabWidget::filesAreShownRelativeToTheBaseDirectory()
{
    QFETCH(bool, dataFolder);
    QFETCH(QString, file);
    QFETCH(QString, shown);

    QVERIFY(!dataFolder || QDir().mkdir("data"_s));
    if (!QFile::exists(file))
        copyExample(TwoFrequencies, file);
    QVERIFY(makeTab());
    preset(MauryFileType, {file});
    QCOMPARE(rows(), QStringList{shown.replace("%1"_s, canonical({file}).first())});
}

void tst_FileTabWidget::viewingAFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("edited");   // null: the row is not edited
    QTest::addColumn<QString>("expected"); // null: nothing is sent; "%1": the base directory

    QTest::newRow("a file opens in the text editor by its absolute path")
        << "a.lp"_s << QString() << R"(de_invoke_text_editor( NULL, FALSE, NULL, "%1/a.lp" );)"_s;
    QTest::newRow("a double quote in the path is escaped")
        << R"(say"hi".lp)"_s << QString()
        << R"(de_invoke_text_editor( NULL, FALSE, NULL, "%1/say\"hi\".lp" );)"_s;
    QTest::newRow("a backslash in the path is escaped")
        << R"(back\slash.lp)"_s << QString()
        << R"(de_invoke_text_editor( NULL, FALSE, NULL, "%1/back\\slash.lp" );)"_s;
    QTest::newRow("a path holding a control character is not sent")
        << "tab\tname.lp"_s << QString() << QString();
    QTest::newRow("an edited row opens the edited text resolved against the base directory")
        << "a.lp"_s
        << "elsewhere/other.lp"_s
        << R"(de_invoke_text_editor( NULL, FALSE, NULL, "%1/elsewhere/other.lp" );)"_s;
    QTest::newRow("an edited row holding a quote and a backslash is escaped")
        << "a.lp"_s
        << R"(q"\x.lp)"_s
        << R"(de_invoke_text_editor( NULL, FALSE, NULL, "%1/q\"\\x.lp" );)"_s;
    QTest::newRow("an edited row holding a control character is not sent")
        << "a.lp"_s
        << "a\tb.lp"_s << QString();
}

void tst_FileTabWidget::viewingAFile()
{
    QFETCH(QString, file);
    QFETCH(QString, edited);
    QFETCH(QString, expected);

    if (!QFile::exists(file))
        copyExample(TwoFrequencies, file);
    preset(MauryFileType, {file});
    const FileTabState before = m_tab->state();
    QVERIFY(edited.isNull() || editRow(0, edited));
    QVERIFY(m_log.isEmpty());
    QCOMPARE(m_tab->state(), before);

    QVERIFY(selectRow(0));
    QVERIFY(clickButton("View..."_s));
    const QString sent = "CmdOp: "_s + expected.replace("%1"_s, QDir::currentPath());
    QCOMPARE(m_log, expected.isNull() ? QStringList() : QStringList{sent});
    QCOMPARE(m_tab->state(), before);
}

void tst_FileTabWidget::removeFollowsTheRowPositionNotItsText()
{
    preset(MauryFileType, names({"a.lp", "b.lp"}));
    QVERIFY(editRow(0, "b.lp"_s));
    QVERIFY(selectRow(0));
    QVERIFY(clickButton("Remove..."_s));
    QCOMPARE(m_log, announced(1));
    QCOMPARE(m_tab->state().fileNames(), canonical(names({"b.lp"})));
    QCOMPARE(rows(), names({"b.lp"}));
}

QTEST_MAIN(tst_FileTabWidget)

#include "tst_filetabwidget.moc"
