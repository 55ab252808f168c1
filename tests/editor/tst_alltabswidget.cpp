#include "alltabswidget.h"
#include "analysisfrequencyrangesyncwidget.h"
#include "analysisoptimizationtabwidget.h"
#include "analysisparameterstabwidget.h"
#include "detailstabwidget.h"
#include "filetabwidget.h"
#include "interfaceholder.h"
#include "interpolationtabwidget.h"
#include "metatypes.h"
#include "modaldialoganswerer.h"
#include "notelabel.h"
#include "performancetabwidget.h"
#include "referencetvlinterface.h"
#include "termtabwidget.h"
#include "testtexts.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace LoadPullStateUtils;

namespace {

const QString ExampleFile = QStringLiteral(LP_EXAMPLE_DATA_DIR "/pa_two_frequencies.lp");

// A component as the parameters describe it: only what the user set, no data-file
// information.
DBLPCState storedComponent(const QStringList &files)
{
    DBLPCState state(false);
    FileTabState fileState;
    fileState.setFileType(MauryFileType);
    fileState.setFileNames(files);
    state.setFileTabState(fileState);

    IndepVariablesState independent;
    IndepVarInfo power;
    power.setName("Pin_avail"_s);
    power.setValue("18"_s);
    power.setUnit("dBm"_s);
    independent.addVariable(power, false);
    independent.setFrequencyVariable("Freq"_s);
    VariableDetailsTabState details;
    details.setIndependentVariables(independent);
    state.setDetailsTabState(details);

    PerformanceTabState performance;
    PerformanceVarInfo output;
    output.setName("Vout"_s);
    output.setOutput(false);
    performance.addVariable(output);
    state.setPerformanceState(performance);

    InterpolationTabState interpolation;
    interpolation.setInterpolationMethod(CubicInterpolation);
    state.setInterpolationTabState(interpolation);
    return state;
}

// The stored component with a variable and a quantity of its own, which no example file has.
DBLPCState componentWithOwnVariables(const QStringList &files)
{
    DBLPCState given = storedComponent(files);
    VariableDetailsTabState details = given.detailsTabState();
    IndepVariablesState independent = details.independentVariables();
    IndepVarInfo gate;
    gate.setName("Vgg"_s);
    gate.setValue("-2.5"_s);
    gate.setUnit("deg C"_s);
    independent.addVariable(gate, false);
    details.setIndependentVariables(independent);
    given.setDetailsTabState(details);
    PerformanceTabState performance = given.performanceState();
    PerformanceVarInfo current;
    current.setName("Ig"_s);
    current.setOutput(false);
    current.setAutoPlot(true);
    current.setIsComplex(true);
    performance.addVariable(current);
    given.setPerformanceState(performance);
    return given;
}

const QString GoneFile = "/nowhere/gone.lp"_s;

} // namespace

// The editor as a whole: the container builds the tabs from a component's state and
// keeps the state of all of them.
class tst_AllTabsWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerStateMetaTypes(); }
    void init();
    void cleanup();

    void anotherFileTypeOpensTheMaurySet();
    void onlyMauryIsAcceptedAsANewType();
    void maurySetIsHandedOutAgain();
    void tabsOutliveTheContainer();
    void anotherStoredFileTypeIsNamedInANote();
    void addingAFileAfterTheHostDestroyedATab();

private:
    std::unique_ptr<ReferenceTvlInterface> m_tvl;
    std::vector<QPointer<QWidget>> m_tabs;
    std::unique_ptr<AllTabsWidget> m_editor;

    AllTabsWidget *open(const DBLPCState &state);
    void close();
};

void tst_AllTabsWidget::init()
{
    m_tvl = std::make_unique<ReferenceTvlInterface>();
    InterfaceHolder::instance().store(m_tvl.get());
    InterfaceHolder::instance().accept();
}

void tst_AllTabsWidget::cleanup()
{
    close();
    InterfaceHolder::instance().store(nullptr);
    m_tvl.reset();
}

void tst_AllTabsWidget::close()
{
    m_editor.reset();
    for (const QPointer<QWidget> &tab : m_tabs)
        delete tab;
    m_tabs.clear();
}

// The host owns the tabs; the test plays the host and deletes them as it opens another editor,
// and in cleanup().
AllTabsWidget *tst_AllTabsWidget::open(const DBLPCState &state)
{
    close();
    m_editor = std::make_unique<AllTabsWidget>(state);
    m_tabs = {m_editor->fileTabWidget(),
              m_editor->detailsTabWidget(),
              m_editor->performanceParametersTabWidget(),
              m_editor->interpolationTabWidget(),
              m_editor->analysisFrequencyRangeSyncWidget(),
              m_editor->analysisParametersTabWidget(),
              m_editor->analysisOptimizationTabWidget(),
              m_editor->termTabWidget()};
    return m_editor.get();
}

void tst_AllTabsWidget::anotherFileTypeOpensTheMaurySet()
{
    DBLPCState state(false);
    TermTabState maury;
    maury.setTermNumber("2"_s);
    state.setTermTabState(maury);
    state.setFileType(DatasetFileType);
    TermTabState dataset;
    dataset.setTermNumber("9"_s);
    state.setTermTabState(dataset);

    const AllTabsWidget *editor = open(state);
    QCOMPARE(editor->state().fileType(), MauryFileType);
    QCOMPARE(editor->state().termTabState().termNumber(), "2"_s);
}

void tst_AllTabsWidget::onlyMauryIsAcceptedAsANewType()
{
    AllTabsWidget *editor = open(storedComponent({ExampleFile}));
    const DBLPCState before = editor->state();
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    ModalDialogAnswerer answerer([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        shown = box->text();
        format = box->textFormat();
        clickMessageBoxButton(box, QMessageBox::Ok);
    });

    editor->typeChanged("<i>Focus</i>"_s);
    QCOMPARE(answerer.dialogsSeen(), 1);
    QCOMPARE(shown, "<i>Focus</i>  Is not yet functional for Alpha5.\nThis dialog "
                    "will not show up once the feature is implemented."_s);
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(editor->state(), before);
}

void tst_AllTabsWidget::maurySetIsHandedOutAgain()
{
    AllTabsWidget *editor = open(storedComponent({ExampleFile}));
    const DBLPCState before = editor->state();
    InterpolationTabState interpolation;
    interpolation.setInterpolationDomain(PolarDomain);
    editor->interpolationTabWidget()->setState(interpolation);
    QCOMPARE(editor->state().interpolationTabState(), interpolation);

    editor->typeChanged("Maury"_s);
    QCOMPARE(editor->interpolationTabWidget()->state(), interpolation);
    // The file tab tests its files again; the stored values survive that.
    QCOMPARE(editor->state().detailsTabState(), before.detailsTabState());
    QCOMPARE(editor->state().performanceState(), before.performanceState());
}

void tst_AllTabsWidget::tabsOutliveTheContainer()
{
    AllTabsWidget *editor = open(storedComponent({ExampleFile}));
    QCOMPARE(editor->fileTabWidget(), editor->fileTabWidget());
    QCOMPARE(editor->termTabWidget(), editor->termTabWidget());
    m_editor.reset();
    for (const QPointer<QWidget> &tab : m_tabs)
        QVERIFY(tab);
}

// The editor offers Maury files only: a component of another type is told so beside the
// type's name, which its file type is kept under.
void tst_AllTabsWidget::anotherStoredFileTypeIsNamedInANote()
{
    DBLPCState state = storedComponent({ExampleFile});
    state.setEntries(ComponentEntries({{"FileType"_s, {"\"maury\""_s}}}, {}, {}));
    const auto *note = open(state)->findChild<NoteLabel *>();
    QVERIFY(note);
    QCOMPARE(note->text(), "The component's file type, \"maury\", is not offered here: its "
                           "settings show as Maury settings, and the type is kept as it is."_s);
    state.setEntries(ComponentEntries({{"FileType"_s, {"Maury"_s}}}, {}, {}));
    QVERIFY(!open(state)->findChild<NoteLabel *>());
}

void tst_AllTabsWidget::addingAFileAfterTheHostDestroyedATab()
{
    ModalDialogAnswerer answerer(
        [](QWidget *dialog) { clickMessageBoxButton(dialog, QMessageBox::Ok); });
    AllTabsWidget *editor = open(componentWithOwnVariables({ExampleFile, GoneFile}));
    delete editor->detailsTabWidget();
    editor->fileTabWidget()->appendLoadPullFiles(
        {QStringLiteral(LP_EXAMPLE_DATA_DIR "/pa_upper_band.lp")});
    QCOMPARE(editor->state().fileTabState().count(), 3);
    QVERIFY(editor->state().performanceState().variables().contains("Ig"_s));
}

QTEST_MAIN(tst_AllTabsWidget)
#include "tst_alltabswidget.moc"
