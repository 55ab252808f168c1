#include "componentfile.h"
#include "hostparameterlists.h"
#include "modaldialoganswerer.h"
#include "pluginsession.h"
#include "referencehostservices.h"
#include "referencetvlinterface.h"
#include "testtexts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <fstream>
#include <memory>

#include <sys/resource.h>
#include <unistd.h>

using Parameters = HostParameterLists::Parameters;

namespace {

const char *const ClassNames[] = {"AllTabsWidget",
                                  "FileTabWidget",
                                  "DetailsTabWidget",
                                  "PerformanceTabWidget",
                                  "InterpolationTabWidget",
                                  "AnalysisFrequencyRangeSyncWidget",
                                  "AnalysisParametersTabWidget",
                                  "AnalysisOptimizationTabWidget",
                                  "TermTabWidget"};

// Lowers the process's address-space limit while it lives, so that allocating more than
// `headroom` bytes fails as it does in a host whose memory has run out.
class MemoryLimit
{
public:
    explicit MemoryLimit(rlim_t headroom)
    {
        getrlimit(RLIMIT_AS, &m_saved);
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlimit lowered = m_saved;
        lowered.rlim_cur = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + headroom;
        setrlimit(RLIMIT_AS, &lowered);
    }
    ~MemoryLimit() { setrlimit(RLIMIT_AS, &m_saved); }
    Q_DISABLE_COPY(MemoryLimit)

private:
    rlimit m_saved{};
};

} // namespace

// AddressSanitizer maps its shadow memory up front, so an address-space limit does not reach
// its allocator: it is told to fail large allocations the way the C library would. The sanitizer
// looks the function up at run time, so it must be exported.
extern "C" Q_DECL_EXPORT const char *__asan_default_options()
{
    return "allocator_may_return_null=1:max_allocation_size_mb=100";
}

// The host's road through the editor: a component's parameter list in, nine widgets
// out, edits through those widgets, and the parameter list back.
class tst_EditorFunctions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void widgetsComeInTheFixedOrder();
    void hugeTextsAreShownElided_data();
    void hugeTextsAreShownElided();
    void arguments_data();
    void arguments();
    void widgetListsThatDoNotFit_data();
    void widgetListsThatDoNotFit();
    void missingWidgetTypeAnswersNoValue();
    void runningOutOfMemoryIsReportedAndAnsweredAsFailed_data();
    void runningOutOfMemoryIsReportedAndAnsweredAsFailed();

private:
    TvlValue *open(const Parameters &parameters) { return m_session->open(parameters); }
    Parameters accept(TvlValue *widgetList) { return m_session->accept(widgetList); }
    QWidget *widget(TvlValue *widgetList, int index)
    {
        return m_session->widget(widgetList, index);
    }
    Parameters exampleComponent();
    TvlValue *reorderedList(TvlValue *widgetList, const std::vector<int> &indices);

    QTemporaryDir m_workspace;
    std::unique_ptr<PluginSession> m_session;
    ReferenceTvlInterface *m_tvl = nullptr;
};

void tst_EditorFunctions::initTestCase()
{
    QVERIFY(m_workspace.isValid());
    // A workspace as a design environment has it: the component files beside a data folder.
    QDir workspace(m_workspace.path());
    QVERIFY(workspace.mkdir("data"_s));
    const QDir data(workspace.filePath("data"_s));
    const QDir examples(QStringLiteral(LP_EXAMPLES_DIR "/data"));
    for (const QString &file : examples.entryList(QDir::Files))
        QVERIFY(QFile::copy(examples.filePath(file), data.filePath(file)));
    QVERIFY(QFile::copy(QStringLiteral(LP_EXAMPLES_DIR "/pa_amplifier.json"),
                        workspace.filePath("pa_amplifier.json"_s)));
    QDir::setCurrent(workspace.path());
}

// Each test talks to the plug-in through a host of its own.
void tst_EditorFunctions::init()
{
    m_session = std::make_unique<PluginSession>(QStringLiteral(LP_PLUGIN_PATH));
    QVERIFY2(m_session->error().isEmpty(), qPrintable(m_session->error()));
    m_tvl = &m_session->tvl();
}

// The host owns the widgets it was handed and destroys them.
void tst_EditorFunctions::cleanup()
{
    QLocale::setDefault(QLocale::system());
    m_session.reset();
}

Parameters tst_EditorFunctions::exampleComponent()
{
    ComponentFile component;
    QString error;
    if (!component.read(QDir::current().filePath("pa_amplifier.json"_s), &error))
        qWarning() << error;
    return component.hostParameters();
}

void tst_EditorFunctions::widgetsComeInTheFixedOrder()
{
    TvlValue *widgets = open(exampleComponent());
    QVERIFY(widgets);
    QCOMPARE(m_tvl->GetValueKind(widgets), 9);
    QVERIFY(!m_tvl->GetListElement(widgets, 9));
    for (int i = 0; i < 9; ++i) {
        TvlValue *element = m_tvl->GetListElement(widgets, i);
        QCOMPARE(m_tvl->GetUserType(element), ReferenceTvlInterface::QtWidgetType);
        QWidget *editorWidget = widget(widgets, i);
        QCOMPARE(editorWidget->metaObject()->className(), ClassNames[i]);
        QVERIFY(!editorWidget->parent());
    }
    QCOMPARE(m_tvl->prepareArgumentsCalls(), 1);
}

void tst_EditorFunctions::hugeTextsAreShownElided_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("parameter"); // holds the huge text
    QTest::addColumn<int>("boxes");

    const QString open = "load_pull_getAllTabWidgets"_s;
    QTest::newRow("a file type") << open << "FileType"_s << 1;
    QTest::newRow("a file name") << open << "FileName"_s << 1;
    QTest::newRow("a variable name with a malformed dBm value") << open << "IndepVarName"_s << 1;
    QTest::newRow("a message to show") << "load_pull_show_message"_s << QString() << 1;
}

// Laying out a megabyte of text freezes the host for seconds: a message box shows a few
// hundred characters of each text that came from outside, whatever its length.
void tst_EditorFunctions::hugeTextsAreShownElided()
{
    QFETCH(QString, function);
    QFETCH(QString, parameter);
    QFETCH(int, boxes);
    const QString huge(200000, QLatin1Char('x'));
    QStringList shown;
    ModalDialogAnswerer answerer([&shown](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        shown << box->windowTitle() << box->text().split(QLatin1Char('\n'));
        box->buttons().constFirst()->click();
    });

    if (parameter.isNull()) {
        const QByteArray text = huge.toLatin1();
        QVERIFY(m_tvl->call(function.toStdString(), {m_tvl->MakeString(text.constData()),
                                                     m_tvl->MakeString(text.constData())}));
    } else {
        Parameters parameters = exampleComponent();
        parameters.insert(parameter, {huge});
        if (parameter == QLatin1String("IndepVarName"))
            parameters.insert("IndepVarValue"_s, texts({"dbmtow( 1+ )"}));
        open(parameters);
    }

    QCOMPARE(answerer.dialogsSeen(), boxes);
    QVERIFY(shown.size() <= 2 * 16);
    for (const QString &line : qAsConst(shown))
        QVERIFY2(line.size() <= 400, qPrintable(QString::number(line.size())));
    QVERIFY(std::any_of(shown.cbegin(), shown.cend(), [](const QString &line) {
        return line.contains(QString(50, QLatin1Char('x')) + QChar(0x2026));
    }));
}

void tst_EditorFunctions::arguments_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<int>("argument");

    enum { None, Null, Integer, Text, EmptyList };
    for (const char *function : {"load_pull_getAllTabWidgets", "load_pull_getDBLPState"}) {
        const QString name = QString::fromLatin1(function);
        QTest::newRow(qPrintable(name + " without argument"_s)) << name << int(None);
        QTest::newRow(qPrintable(name + " with a null argument"_s)) << name << int(Null);
        QTest::newRow(qPrintable(name + " with an integer"_s)) << name << int(Integer);
        QTest::newRow(qPrintable(name + " with a text"_s)) << name << int(Text);
    }
    QTest::newRow("load_pull_getAllTabWidgets with a list without header")
        << "load_pull_getAllTabWidgets"_s << int(EmptyList);
}

// Arguments that are no parameter list or widget list are answered with no value.
void tst_EditorFunctions::arguments()
{
    QFETCH(QString, function);
    QFETCH(int, argument);

    std::vector<TvlValue *> arguments;
    switch (argument) {
    case 1:
        arguments = {nullptr};
        break;
    case 2:
        arguments = {m_tvl->MakeInteger(3)};
        break;
    case 3:
        arguments = {m_tvl->MakeString("FileName")};
        break;
    case 4:
        arguments = {m_tvl->MakeList(0)};
        break;
    }
    QVERIFY(!m_tvl->call(function.toStdString(), arguments));
    QVERIFY(m_tvl->faults().empty());
}

void tst_EditorFunctions::widgetListsThatDoNotFit_data()
{
    QTest::addColumn<std::vector<int>>("indices"); // -1: a void element, -2: a text
    QTest::addColumn<QStringList>("defaulted");

    // The file type is the container's, which shows it; the frequency variable is the details
    // tab's.
    const QStringList fileAndDetails =
        texts({"FileName", "FreqVarName", "GammaDomain", "GammaHarmIndex", "GammaName", "GammaType",
               "GammaValue", "IndepVarName", "IndepVarUnitType", "IndepVarValue"});
    QTest::newRow("all nine in order")
        << std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8} << QStringList();
    QTest::newRow("a longer list")
        << std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 8, 1} << QStringList();
    QTest::newRow("element 0 of another class")
        << std::vector<int>{1, 1, 2, 3, 4, 5, 6, 7, 8} << QStringList();
    QTest::newRow("file and details tabs swapped")
        << std::vector<int>{0, 2, 1, 3, 4, 5, 6, 7, 8} << fileAndDetails;
    QTest::newRow("void elements")
        << std::vector<int>{0, -1, -1, 3, 4, 5, 6, 7, 8} << fileAndDetails;
    QTest::newRow("a text, then a void element")
        << std::vector<int>{0, -2, -1, 3, 4, 5, 6, 7, 8} << fileAndDetails;
}

// A widget that cannot be read contributes its defaults; everything else is still read.
void tst_EditorFunctions::widgetListsThatDoNotFit()
{
    QFETCH(std::vector<int>, indices);
    QFETCH(QStringList, defaulted);

    TvlValue *widgets = open(exampleComponent());
    const Parameters normal = accept(widgets);
    const Parameters defaults = accept(m_tvl->MakeList(9));
    const Parameters read = accept(reorderedList(widgets, indices));

    QCOMPARE(read.size(), 28);
    for (auto it = read.cbegin(); it != read.cend(); ++it) {
        const Parameters &expected = defaulted.contains(it.key()) ? defaults : normal;
        QCOMPARE(it.value(), expected.value(it.key()));
    }
}

TvlValue *tst_EditorFunctions::reorderedList(TvlValue *widgetList, const std::vector<int> &indices)
{
    std::vector<TvlValue *> elements;
    for (int index : indices)
        elements.push_back(index == -2 ? m_tvl->MakeString("FileTabWidget")
                           : index < 0 ? m_tvl->MakeVoidValue()
                                       : m_tvl->GetListElement(widgetList, index));
    return m_tvl->makeList(elements);
}

void tst_EditorFunctions::missingWidgetTypeAnswersNoValue()
{
    TvlValue *widgets = open(exampleComponent());
    QVERIFY(widgets);
    m_tvl->setQtWidgetTypeAvailable(false);
    QVERIFY(!m_tvl->call("load_pull_getDBLPState", {widgets}));
    QVERIFY(!m_tvl->call("load_pull_getAllTabWidgets",
                         {HostParameterLists::make(*m_tvl, exampleComponent())}));
}

void tst_EditorFunctions::runningOutOfMemoryIsReportedAndAnsweredAsFailed_data()
{
    QTest::addColumn<QString>("function");

    QTest::newRow("a title too large to convert") << "load_pull_show_message"_s;
    QTest::newRow("a weight too large to convert") << "load_pull_getAllTabWidgets"_s;
}

// The host's memory runs out while the plug-in reads a text of 64 MB: the host hears of it,
// gets the call's failure value, and goes on; no widget is left behind.
void tst_EditorFunctions::runningOutOfMemoryIsReportedAndAnsweredAsFailed()
{
    QFETCH(QString, function);
    const std::string huge(64 << 20, 'x');
    std::vector<TvlValue *> arguments;
    if (function == QLatin1String("load_pull_show_message")) {
        arguments = {m_tvl->MakeString(huge.c_str()), m_tvl->MakeString("message")};
    } else {
        TvlValue *parameters = HostParameterLists::make(*m_tvl, exampleComponent());
        for (TvlValue *entry : parameters->elements) {
            if (entry->elements.at(0)->text == "Weight")
                entry->elements.at(2)->elements.at(0)->text = huge;
        }
        arguments = {parameters};
    }
    const int widgetsBefore = QApplication::allWidgets().size();
    ModalDialogAnswerer answerer(
        [](QWidget *dialog) { clickMessageBoxButton(dialog, QMessageBox::Yes); });

    TvlValue *result = nullptr;
    {
        const MemoryLimit limit(96 << 20);
        result = m_tvl->call(function.toStdString(), arguments);
    }

    QCOMPARE(answerer.dialogsSeen(), 0);
    if (function == QLatin1String("load_pull_show_message"))
        QCOMPARE(m_tvl->GetValueKind(result), int(TvlValue::Void));
    else
        QVERIFY(!result);
    QCOMPARE(m_session->host().errors(),
             std::vector<std::string>{"LoadPullPlugin: " + function.toStdString() +
                                      " failed: out of memory"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(QApplication::allWidgets().size(), widgetsBefore);
}

QTEST_MAIN(tst_EditorFunctions)
#include "tst_editorfunctions.moc"
