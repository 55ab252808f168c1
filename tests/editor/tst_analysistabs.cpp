#include "analysisfrequencyrangesyncwidget.h"
#include "analysisoptimizationtabwidget.h"
#include "analysisparameterstabwidget.h"

#include "interfaceholder.h"
#include "metatypes.h"
#include "modaldialoganswerer.h"
#include "referencetvlinterface.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace LoadPullStateUtils;

namespace {

QString operator""_s(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, int(size));
}

// Records are written as text: the sync flag as 0 or 1, the optimisation record as
// "weight|avoid", the parameters as "gamma admittance impedance nonlinear|level": "1000|2".
QString text(const AnalysisFrequencyRangeSyncState &state)
{
    return QString::number(state.useFrequencyRangeFromDataFiles());
}

QString text(const AnalysisOptimizationTabState &state)
{
    return state.weight() + QStringLiteral("|%1").arg(state.avoidOutOfRangeData());
}

QString text(const AnalysisParametersTabState &state)
{
    return QStringLiteral("%1%2%3%4|%5")
        .arg(state.calcGamma())
        .arg(state.calcAdmittance())
        .arg(state.calcImpedance())
        .arg(state.allowNonlinearDevices())
        .arg(state.statusLevel());
}

AnalysisParametersTabState parameters(const QString &text)
{
    const auto flag = [&text](int i) {
        return text.at(i) == QLatin1Char('1');
    };
    AnalysisParametersTabState state;
    state.setCalcGamma(flag(0));
    state.setCalcAdmittance(flag(1));
    state.setCalcImpedance(flag(2));
    state.setAllowNonlinearDevices(flag(3));
    state.setStatusLevel(text.mid(5));
    return state;
}

AnalysisOptimizationTabState optimization(const QString &text)
{
    AnalysisOptimizationTabState state;
    state.setWeight(text.section(QLatin1Char('|'), 0, 0));
    state.setAvoidOutOfRangeData(text.endsWith(QLatin1Char('1')));
    return state;
}

AnalysisFrequencyRangeSyncState sync(bool use)
{
    AnalysisFrequencyRangeSyncState state;
    state.setUseFrequencyRangeFromDataFiles(use);
    return state;
}

// The records a spy caught, separated by blanks.
template<typename Record> QString emitted(const QSignalSpy &spy)
{
    QStringList records;
    for (const QList<QVariant> &arguments : spy)
        records << text(arguments.at(0).value<Record>());
    return records.join(QLatin1Char(' '));
}

template<typename Widget> Widget *startingWith(const QWidget *parent, const QString &text)
{
    for (Widget *widget : parent->findChildren<Widget *>())
        if (widget->text().startsWith(text))
            return widget;
    return nullptr;
}

} // namespace

class tst_AnalysisTabs : public QObject
{
    Q_OBJECT

    // The parameters tab's controls, written as its records; '?' where the note does not
    // follow the nonlinear box.
    QString shownParameters() const
    {
        const auto checked = [this](const char *start) {
            return startingWith<QCheckBox>(parametersTab.get(), QString::fromUtf8(start))
                ->isChecked();
        };
        const bool note = startingWith<QLabel>(parametersTab.get(), "( Only"_s)->isEnabled();
        return QStringLiteral("%1%2%3%4|%5")
            .arg(checked("Reflection"))
            .arg(checked("Admittance"))
            .arg(checked("Impedance"))
            .arg(checked("Allow") == note ? QString::number(note) : "?"_s)
            .arg(parametersTab->findChild<QLineEdit *>()->text());
    }
    // The optimisation tab as "weight label|box checked|explanation enabled".
    QString shownOptimization() const
    {
        const QList<QLabel *> labels = optimizationTab->findChildren<QLabel *>(); // caption first
        return labels.at(1)->text() +
               QStringLiteral("|%1|%2")
                   .arg(optimizationTab->findChild<QGroupBox *>()->isChecked())
                   .arg(labels.at(2)->isEnabled());
    }

    ReferenceTvlInterface tvl;
    std::unique_ptr<AnalysisFrequencyRangeSyncWidget> syncTab;
    std::unique_ptr<AnalysisParametersTabWidget> parametersTab;
    std::unique_ptr<AnalysisOptimizationTabWidget> optimizationTab;

private slots:
    void initTestCase() { registerStateMetaTypes(); }
    void init();
    void cleanup() { InterfaceHolder::instance().store(nullptr); }
    void newTabsShowTheDefaultRecords();
    void syncBox_data();
    void syncBox();
    void parametersTab_data();
    void parametersTab();
    void groupBoxGreysTheExplanation();
    void weightDialog_data();
    void weightDialog();
};

void tst_AnalysisTabs::init()
{
    QLocale::setDefault(QLocale::c());
    InterfaceHolder::instance().store(&tvl);
    InterfaceHolder::instance().accept();
    tvl.clearCommands();
    syncTab = std::make_unique<AnalysisFrequencyRangeSyncWidget>();
    parametersTab = std::make_unique<AnalysisParametersTabWidget>();
    optimizationTab = std::make_unique<AnalysisOptimizationTabWidget>();
}

void tst_AnalysisTabs::newTabsShowTheDefaultRecords()
{
    // The sync box stays unchecked until a record is shown.
    QVERIFY(!syncTab->findChild<QCheckBox *>()->isChecked());
    QCOMPARE(text(syncTab->state()), "1"_s);
    QCOMPARE(shownParameters(), "1000|2"_s);
    QCOMPARE(text(parametersTab->state()), "1000|2"_s);
    QCOMPARE(shownOptimization(), "100|1|1"_s);
    QCOMPARE(text(optimizationTab->state()), "100|1"_s);
}

void tst_AnalysisTabs::syncBox_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *name, bool shown, const char *action, const char *expected) {
        QTest::newRow(name) << shown << QString::fromUtf8(action) << QString::fromUtf8(expected);
    };
    row("off sends the sweep command", true, "click", "box 0 use 0 emits [0] sweeps 0 sent [init]");
    row("off without a host sends nothing", true, "click hostless",
        "box 0 use 0 emits [0] sweeps 0 sent []");
    row("on asks for the range", false, "click", "box 1 use 1 emits [1] sweeps 1 sent []");
    row("setState off sends nothing", true, "show 0", "box 0 use 0 emits [0] sweeps 0 sent []");
    row("setState on asks for nothing", false, "show 1", "box 1 use 1 emits [1] sweeps 0 sent []");
    row("new files with the flag on", true, "files", "box 1 use 1 emits [] sweeps 1 sent []");
    row("new files with the flag off", false, "files", "box 0 use 0 emits [] sweeps 0 sent []");
}

void tst_AnalysisTabs::syncBox()
{
    QFETCH(bool, shown);
    QFETCH(QString, action);
    QFETCH(QString, expected);

    syncTab->setState(sync(shown));
    if (action.endsWith("hostless"_s))
        InterfaceHolder::instance().store(nullptr);
    QSignalSpy changes(syncTab.get(), &AnalysisFrequencyRangeSyncWidget::stateChanged);
    QSignalSpy sweeps(syncTab.get(), &AnalysisFrequencyRangeSyncWidget::setFrequencySweepRange);
    auto *box = syncTab->findChild<QCheckBox *>();
    if (action.startsWith("click"_s))
        QTest::keyClick(box, Qt::Key_Space);
    else if (action == "files"_s)
        syncTab->fileListModified();
    else
        syncTab->setState(sync(action.endsWith(QLatin1Char('1'))));

    QStringList sent;
    for (const ReferenceTvlInterface::Command &command : tvl.commands())
        sent << QString::fromStdString(command.target + '|' + command.text);
    const QString init = "SimCmd| dblp_init_sweep_group( NULL, NULL, TRUE );"_s;
    QCOMPARE(QStringLiteral("box %1 use %2 emits [%3] sweeps %4 sent [%5]")
                 .arg(box->isChecked())
                 .arg(text(syncTab->state()), emitted<AnalysisFrequencyRangeSyncState>(changes))
                 .arg(sweeps.count())
                 .arg(sent.join(QLatin1Char(',')).replace(init, "init"_s)),
             expected);
}

void tst_AnalysisTabs::parametersTab_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expectedEmissions");

    const auto row = [](const char *action, const char *emissions) {
        QTest::newRow(action) << QString::fromUtf8(action) << QString::fromUtf8(emissions);
    };
    // A click announces the record once; the note follows the nonlinear box.
    row("click Reflection", "0000|2");
    row("click Admittance", "1100|2");
    row("click Impedance", "1010|2");
    row("click Allow", "1001|2");
    // Each keystroke the validator takes is announced, the one that empties the edit too.
    row("type -1", "1000| 1000|1");
    row("type 0", "1000| 1000|0");
    row("type 3", "1000| 1000|3");
    row("type 3x", "1000| 1000|3");
    row("type lvl", "1000| 1000|l 1000|lv 1000|lvl");
    // A record shown comes again through each check box it changes.
    row("show 1000|2", "1000|2");
    row("show 1000|lvl", "1000|lvl");
    row("show 1100|2", "1100|2 1100|2");
    row("show 0111|4", "0111|4 0111|4 0111|4 0111|4 0111|4");
}

void tst_AnalysisTabs::parametersTab()
{
    QFETCH(QString, action);
    QFETCH(QString, expectedEmissions);

    QSignalSpy spy(parametersTab.get(), &AnalysisParametersTabWidget::stateChanged);
    const QString argument = action.section(QLatin1Char(' '), 1);
    auto *edit = parametersTab->findChild<QLineEdit *>();
    if (action.startsWith("click"_s)) {
        QTest::keyClick(startingWith<QCheckBox>(parametersTab.get(), argument), Qt::Key_Space);
    } else if (action.startsWith("type"_s)) {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, argument);
    } else {
        parametersTab->setState(parameters(argument));
    }

    QCOMPARE(emitted<AnalysisParametersTabState>(spy), expectedEmissions);
    const QString last = expectedEmissions.section(QLatin1Char(' '), -1);
    QCOMPARE(text(parametersTab->state()), last);
    QCOMPARE(shownParameters(), last);
}

// The group box answers user clicks only, so a record shown is announced once.
void tst_AnalysisTabs::groupBoxGreysTheExplanation()
{
    QSignalSpy spy(optimizationTab.get(), &AnalysisOptimizationTabWidget::stateChanged);
    auto *group = optimizationTab->findChild<QGroupBox *>();
    QTest::keyClick(group, Qt::Key_Space);
    QCOMPARE(shownOptimization(), "100|0|0"_s);
    QTest::keyClick(group, Qt::Key_Space);
    QCOMPARE(shownOptimization(), "100|1|1"_s);
    optimizationTab->setState(optimization("w1|0"_s));
    QCOMPARE(shownOptimization(), "w1|0|0"_s);
    QCOMPARE(emitted<AnalysisOptimizationTabState>(spy), "100|0 100|1 w1|0"_s);
    QCOMPARE(text(optimizationTab->state()), "w1|0"_s);
}

void tst_AnalysisTabs::weightDialog_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("expectedTaken");

    const auto row = [](const char *name, const char *locale, const char *answer, bool taken,
                        bool accepted = true) {
        QTest::newRow(name) << QString::fromUtf8(locale) << QString::fromUtf8(answer) << accepted
                            << taken;
    };
    row("a positive number is taken", "C", "250", true);
    row("zero is taken", "C", "0", true);
    row("an exponent form is taken", "C", "1e5", true);
    row("a variable name is taken", "C", "wgt", true);
    row("a negative number is refused", "C", "-3", false);
    row("a tiny negative number is refused", "C", "-1e-9", false);
    row("an unfinished exponent is refused", "C", "1e", false);
    row("the empty text is refused", "C", "", false);
    row("blanks around a number are refused", "C", " 5", false);
    row("a name that begins with a digit is refused", "C", "2x", false);
    // The validator follows the locale and lets these through; they are no number nor name.
    row("a decimal comma is refused", "de_DE", "2,5", false);
    row("a group separator is refused", "de_DE", "1,000", false);
    row("Cancel keeps the weight", "C", "250", false, false);
}

void tst_AnalysisTabs::weightDialog()
{
    QFETCH(QString, locale);
    QFETCH(QString, answer);
    QFETCH(bool, accepted);
    QFETCH(bool, expectedTaken);

    QLocale::setDefault(QLocale(locale));
    optimizationTab->setState(optimization("75|1"_s));
    QSignalSpy spy(optimizationTab.get(), &AnalysisOptimizationTabWidget::stateChanged);
    QString initialText;
    ModalDialogAnswerer answerer([&](QWidget *dialog) {
        auto *input = qobject_cast<QInputDialog *>(dialog);
        QVERIFY(input);
        initialText = input->textValue();
        input->setTextValue(answer);
        if (accepted)
            input->accept();
        else
            input->reject();
    });
    QTest::mouseClick(startingWith<QPushButton>(optimizationTab.get(), "Modify"_s), Qt::LeftButton);

    QCOMPARE(answerer.dialogsSeen(), 1);
    QCOMPARE(initialText, "75"_s);
    const QString after = (expectedTaken ? answer : "75"_s) + "|1"_s;
    QCOMPARE(emitted<AnalysisOptimizationTabState>(spy), expectedTaken ? after : QString());
    QCOMPARE(text(optimizationTab->state()), after);
    QCOMPARE(shownOptimization(), QString(after + "|1"_s));
}

QTEST_MAIN(tst_AnalysisTabs)
#include "tst_analysistabs.moc"
