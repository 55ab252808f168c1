#include "analysisfrequencyrangesyncwidget.h"
#include "analysisoptimizationtabwidget.h"
#include "analysisparameterstabwidget.h"
#include "entrydialog.h"
#include "testtexts.h"

#include "interfaceholder.h"
#include "metatypes.h"
#include "modaldialoganswerer.h"
#include "notelabel.h"
#include "referencetvlinterface.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

using namespace LoadPullStateUtils;

namespace {

// Records are written as text: the sync flag as 0 or 1, the optimisation record as
// "weight|avoid", the parameters as "gamma admittance impedance nonlinear|level": "1000|2".
QString text(const AnalysisFrequencyRangeSyncState &state)
{
    return QString::number(state.useFrequencyRangeFromDataFiles());
}

QString text(const AnalysisOptimizationTabState &state)
{
    return state.weight() + "|%1"_s.arg(state.avoidOutOfRangeData());
}

QString text(const AnalysisParametersTabState &state)
{
    return "%1%2%3%4|%5"_s.arg(state.calcGamma())
        .arg(state.calcAdmittance())
        .arg(state.calcImpedance())
        .arg(state.allowNonlinearDevices())
        .arg(state.statusLevel());
}

AnalysisParametersTabState parameters(const QString &text)
{
    AnalysisParametersTabState state;
    state.setCalcGamma(text.at(0) == QLatin1Char('1'));
    state.setCalcAdmittance(text.at(1) == QLatin1Char('1'));
    state.setCalcImpedance(text.at(2) == QLatin1Char('1'));
    state.setAllowNonlinearDevices(text.at(3) == QLatin1Char('1'));
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

// The labels of a tab in the order the user reads them, the notes left out.
QList<QLabel *> fixedLabels(const QWidget &tab)
{
    QList<QLabel *> labels = tab.findChildren<QLabel *>();
    labels.erase(std::remove_if(labels.begin(), labels.end(),
                                [](QLabel *label) { return qobject_cast<NoteLabel *>(label); }),
                 labels.end());
    return labels;
}

// The notes a tab shows; the empty text while it shows none.
QString shownNote(const QWidget &tab)
{
    QStringList shown;
    for (const NoteLabel *note : tab.findChildren<NoteLabel *>())
        if (note->isVisibleTo(&tab))
            shown.append(note->text());
    return shown.join(QLatin1Char('\n'));
}

// Adds the columns "action" and "expected" and rows named by their action.
void addRows(std::initializer_list<std::pair<const char *, const char *>> rows)
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expected");
    for (const auto &row : rows)
        QTest::newRow(row.first) << QString::fromUtf8(row.first) << QString::fromUtf8(row.second);
}

} // namespace

class tst_AnalysisTabs : public QObject
{
    Q_OBJECT

    // The parameters tab's controls, written as its records; '?' where the note does not
    // follow the nonlinear box.
    QString shownParameters() const
    {
        const QList<QCheckBox *> boxes = parametersTab->findChildren<QCheckBox *>();
        const bool note = fixedLabels(*parametersTab).last()->isEnabled();
        return "%1%2%3%4|%5"_s.arg(boxes.at(0)->isChecked())
            .arg(boxes.at(1)->isChecked())
            .arg(boxes.at(2)->isChecked())
            .arg(boxes.at(3)->isChecked() == note ? QString::number(note) : "?"_s)
            .arg(parametersTab->findChild<QLineEdit *>()->text());
    }
    // The optimisation tab as "weight label|box checked|explanation enabled".
    QString shownOptimization() const
    {
        const QList<QLabel *> labels = fixedLabels(*optimizationTab); // caption first
        return labels.at(1)->text() +
               "|%1|%2"_s.arg(optimizationTab->findChild<QGroupBox *>()->isChecked())
                   .arg(labels.at(2)->isEnabled());
    }

    ReferenceTvlInterface tvl;
    std::unique_ptr<AnalysisFrequencyRangeSyncWidget> syncTab;
    std::unique_ptr<AnalysisParametersTabWidget> parametersTab;
    std::unique_ptr<AnalysisOptimizationTabWidget> optimizationTab;

private slots:
    void initTestCase() { registerStateMetaTypes(); }
    void init();
    void cleanup();
    void syncBox_data();
    void syncBox();
    void parametersActions_data();
    void parametersActions();
    void optimizationActions_data();
    void optimizationActions();
    void refusedWeight_data();
    void refusedWeight();
    void aMarkedFlagKeepsItsLookUntilClicked();
};

void tst_AnalysisTabs::init()
{
    InterfaceHolder::instance().store(&tvl);
    InterfaceHolder::instance().accept();
    tvl.clearCommands();
    syncTab = std::make_unique<AnalysisFrequencyRangeSyncWidget>();
    parametersTab = std::make_unique<AnalysisParametersTabWidget>();
    optimizationTab = std::make_unique<AnalysisOptimizationTabWidget>();
}

void tst_AnalysisTabs::cleanup()
{
    InterfaceHolder::instance().store(nullptr);
    QLocale::setDefault(QLocale::system());
}

// An action starts from the flag shown, 0 or 1.
void tst_AnalysisTabs::syncBox_data()
{
    addRows({
        {"1 click", "box 0 use 0 emits [0] sweeps 0 sent [init]"},
        {"1 click hostless", "box 0 use 0 emits [0] sweeps 0 sent []"},
        {"0 click", "box 1 use 1 emits [1] sweeps 1 sent []"},
        {"1 show 0", "box 0 use 0 emits [0] sweeps 0 sent []"},
        {"0 show 1", "box 1 use 1 emits [1] sweeps 0 sent []"},
        {"1 files", "box 1 use 1 emits [] sweeps 1 sent []"},
        {"0 files", "box 0 use 0 emits [] sweeps 0 sent []"},
    });
}

void tst_AnalysisTabs::syncBox()
{
    QFETCH(QString, action);
    QFETCH(QString, expected);

    auto *box = syncTab->findChild<QCheckBox *>();
    QVERIFY(!box->isChecked()); // unchecked until a record is shown, though the record says 1
    QCOMPARE(text(syncTab->state()), "1"_s);
    syncTab->setState(sync(action.startsWith(QLatin1Char('1'))));
    if (action.endsWith("hostless"_s))
        InterfaceHolder::instance().store(nullptr);
    QSignalSpy changes(syncTab.get(), &AnalysisFrequencyRangeSyncWidget::stateChanged);
    QSignalSpy sweeps(syncTab.get(), &AnalysisFrequencyRangeSyncWidget::setFrequencySweepRange);
    if (action.contains("click"_s))
        QTest::keyClick(box, Qt::Key_Space);
    else if (action.contains("files"_s))
        syncTab->fileListModified();
    else
        syncTab->setState(sync(action.endsWith(QLatin1Char('1'))));

    QStringList sent;
    for (const ReferenceTvlInterface::Command &command : tvl.commands())
        sent << QString::fromStdString(command.target + '|' + command.text);
    const QString init = "SimCmd| dblp_init_sweep_group( NULL, NULL, TRUE );"_s;
    QCOMPARE("box %1 use %2 emits [%3] sweeps %4 sent [%5]"_s.arg(box->isChecked())
                 .arg(text(syncTab->state()), emitted<AnalysisFrequencyRangeSyncState>(changes))
                 .arg(sweeps.count())
                 .arg(sent.join(QLatin1Char(',')).replace(init, "init"_s)),
             expected);
}

void tst_AnalysisTabs::parametersActions_data()
{
    addRows({
        // Each click on the reflection, admittance, impedance or nonlinear box announces
        // the record once; the note follows the nonlinear box.
        {"click 0 1 2 3", "0000|2 0100|2 0110|2 0111|2"},
        {"click 3 3", "1001|2 1000|2"},
        // A record shown comes again through each check box it changes.
        {"show 1000|2", "1000|2"},
        {"show 1000|lvl", "1000|lvl"},
        {"show 1100|2", "1100|2 1100|2"},
        {"show 0111|4", "0111|4 0111|4 0111|4 0111|4 0111|4"},
    });
}

void tst_AnalysisTabs::parametersActions()
{
    QFETCH(QString, action);
    QFETCH(QString, expected);

    QCOMPARE(shownParameters(), "1000|2"_s);
    QSignalSpy spy(parametersTab.get(), &AnalysisParametersTabWidget::stateChanged);
    const QString argument = action.section(QLatin1Char(' '), 1);
    if (action.startsWith("click"_s)) {
        for (const QString &box : argument.split(QLatin1Char(' ')))
            QTest::keyClick(parametersTab->findChildren<QCheckBox *>().at(box.toInt()),
                            Qt::Key_Space);
    } else {
        parametersTab->setState(parameters(argument));
    }

    QCOMPARE(emitted<AnalysisParametersTabState>(spy), expected);
    const QString last = expected.section(QLatin1Char(' '), -1);
    QCOMPARE(text(parametersTab->state()), last);
    QCOMPARE(shownParameters(), last);
}

void tst_AnalysisTabs::optimizationActions_data()
{
    addRows({
        // Clicking the group box greys the explanation with it. It answers clicks only, so
        // a record shown is announced once.
        {"click", "75|0"},
        {"click click", "75|0 75|1"},
        {"show w1|0", "w1|0"},
        // The weight dialog opens on the weight and takes a number not below 0 or a name.
        {"answer 250", "250|1"},
        {"answer 0", "0|1"},
        {"answer wgt", "wgt|1"},
        {"cancel 250", ""},
        // The host reads numbers with a dot, whatever the user's locale.
        {"answer 2.5 de_DE", "2.5|1"},
        {"answer 2,5 de_DE", ""},
        {"answer 1,000 de_DE", ""},
    });
}

void tst_AnalysisTabs::optimizationActions()
{
    QFETCH(QString, action);
    QFETCH(QString, expected);

    QCOMPARE(shownOptimization(), "100|1|1"_s);
    optimizationTab->setState(optimization("75|1"_s));
    QSignalSpy spy(optimizationTab.get(), &AnalysisOptimizationTabWidget::stateChanged);
    const QStringList words = action.split(QLatin1Char(' '));
    if (words.at(0) == "click"_s) {
        for (int i = 0; i < words.size(); ++i)
            QTest::keyClick(optimizationTab->findChild<QGroupBox *>(), Qt::Key_Space);
    } else if (words.at(0) == "show"_s) {
        optimizationTab->setState(optimization(words.at(1)));
    } else {
        if (words.size() > 2)
            QLocale::setDefault(QLocale(words.at(2)));
        QString initialText;
        ModalDialogAnswerer answerer([&](QWidget *dialog) {
            auto *input = qobject_cast<QInputDialog *>(dialog);
            QVERIFY(input);
            initialText = input->textValue();
            input->setTextValue(words.at(1));
            input->done(words.at(0) == "answer"_s ? QDialog::Accepted : QDialog::Rejected);
            if (input->isVisible()) // a refused weight keeps the dialog open: the user gives up
                input->reject();
        });
        QTest::mouseClick(optimizationTab->findChild<QPushButton *>(), Qt::LeftButton);
        QCOMPARE(initialText, "75"_s);
    }

    QCOMPARE(emitted<AnalysisOptimizationTabState>(spy), expected);
    const QString last =
        (QStringList{"75|1"_s} << expected.split(QLatin1Char(' '), Qt::SkipEmptyParts)).last();
    QCOMPARE(text(optimizationTab->state()), last);
    QCOMPARE(shownOptimization(), QString(last + QLatin1Char('|') + last.right(1)));
}

void tst_AnalysisTabs::refusedWeight_data()
{
    QTest::addColumn<QStringList>("answers"); // given in turn in one dialog; "cancel" cancels it
    QTest::addColumn<QString>("note");        // shown in the dialog after the first answer

    const QString refused = "\"%1\" was not taken as the weight factor: %2."_s;
    const QString notANumber = "it is neither a number nor a variable name"_s;
    const auto row = [&](const char *name, const QString &answer, const QString &reason) {
        QTest::newRow(name) << QStringList{answer, "cancel"_s} << refused.arg(answer, reason);
    };
    row("negative", "-3"_s, "it must not be below 0"_s);
    row("a unit", "12 dB"_s, notANumber);
    row("unfinished", "1e"_s, notANumber);
    row("empty", QString(), "it is empty"_s);
    row("a number that compares with nothing", "nan"_s, "it is not a number that compares"_s);
    row("beyond Latin-1", "\u0394w"_s,
        "\u0394 cannot be kept by the host, which keeps only Latin-1 text"_s);
    QTest::newRow("taken") << QStringList{"250"_s} << QString();
    QTest::newRow("refused, then corrected")
        << QStringList{"-3"_s, "250"_s} << refused.arg("-3"_s, "it must not be below 0"_s);
}

// A refused weight keeps the dialog open, the text as typed and a note saying why, until the
// user corrects it or cancels; the weight stays as it was until one is taken.
void tst_AnalysisTabs::refusedWeight()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, note);
    optimizationTab->show();
    QVERIFY(QTest::qWaitForWindowExposed(optimizationTab.get()));
    QStringList notes;
    QStringList misplaced;
    ModalDialogAnswerer answerer([&](QWidget *dialog) {
        auto *input = qobject_cast<EntryDialog *>(dialog);
        QVERIFY(input);
        for (const QString &answer : qAsConst(answers)) {
            if (answer == "cancel"_s) {
                input->reject();
                break;
            }
            input->setTextValue(answer);
            QTest::keyClick(input->findChild<QLineEdit *>(), Qt::Key_Return);
            notes << (input->isVisible() ? input->note() + u'|' + input->textValue() : QString());
            // The note lies whole under the field, inside the dialog, once laid out.
            QCoreApplication::sendPostedEvents();
            const auto *label = input->findChild<NoteLabel *>();
            const QRect field = input->findChild<QLineEdit *>()->geometry();
            if (input->isVisible() &&
                (label->y() < field.bottom() || !input->rect().contains(label->geometry()) ||
                 label->height() < label->heightForWidth(label->width())))
                misplaced << answer;
        }
    });
    QTest::mouseClick(optimizationTab->findChild<QPushButton *>(), Qt::LeftButton);

    QCOMPARE(misplaced, QStringList());
    QCOMPARE(notes.value(0), note.isEmpty() ? QString() : note + u'|' + answers.at(0));
    QCOMPARE(notes.size(), int(answers.size() - answers.count("cancel"_s)));
    QCOMPARE(optimizationTab->state().weight(), answers.contains("250"_s) ? "250"_s : "100"_s);
    QCOMPARE(shownNote(*optimizationTab), QString());
}

// A record shown leaves the partly checked look of a flag the component stores as neither yes
// nor no; a click takes the box out of it, to the choice clicked.
void tst_AnalysisTabs::aMarkedFlagKeepsItsLookUntilClicked()
{
    ComponentEntry kept;
    kept.kept = true;
    EntryMap entries;
    entries["CalcGamma"_s].insert(QString(), kept);
    entries["UseFrequencyRangeFromDataFiles"_s].insert(QString(), kept);
    parametersTab->showEntries(entries);
    parametersTab->setState(parameters("0100|4"_s));
    syncTab->showEntries(entries);
    syncTab->setState(sync(false));
    for (auto *box : {parametersTab->findChild<QCheckBox *>("CalcGamma"_s),
                      syncTab->findChild<QCheckBox *>()}) {
        QCOMPARE(box->checkState(), Qt::PartiallyChecked);
        QTest::keyClick(box, Qt::Key_Space);
        QCOMPARE(box->checkState(), Qt::Checked);
        QTest::keyClick(box, Qt::Key_Space);
        QCOMPARE(box->checkState(), Qt::Unchecked); // never partly checked again
    }
}

QTEST_MAIN(tst_AnalysisTabs)
#include "tst_analysistabs.moc"
