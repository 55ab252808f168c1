#include "analysisfrequencyrangesyncwidget.h"
#include "analysisoptimizationtabwidget.h"
#include "analysisparameterstabwidget.h"
#include "detailstabwidget.h"
#include "filetabwidget.h"
#include "hostdialog.h"
#include "interpolationtabwidget.h"
#include "metatypes.h"
#include "modaldialoganswerer.h"
#include "performancetabwidget.h"
#include "termtabwidget.h"
#include "testtexts.h"

#include <QtTest>

#include <functional>
#include <memory>

using namespace LoadPullStateUtils;

namespace {

// The keys a walk names; a word in single quotes is typed as it stands.
const QMap<QString, Qt::Key> Keys = {
    {"Tab"_s, Qt::Key_Tab},       {"Backtab"_s, Qt::Key_Backtab},
    {"Return"_s, Qt::Key_Return}, {"Escape"_s, Qt::Key_Escape},
    {"Space"_s, Qt::Key_Space},   {"F2"_s, Qt::Key_F2},
    {"Up"_s, Qt::Key_Up},         {"Down"_s, Qt::Key_Down},
    {"Left"_s, Qt::Key_Left},     {"Right"_s, Qt::Key_Right},
    {"End"_s, Qt::Key_End},       {"Backspace"_s, Qt::Key_Backspace},
};

// Each key goes where a keyboard sends it: to the widget that has the focus at that moment.
void play(const QString &walk)
{
    for (const QString &word : walk.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QWidget *focused = QApplication::focusWidget();
        QVERIFY2(focused, qPrintable("no widget has the focus for "_s + word));
        if (word.startsWith(QLatin1Char('\''))) {
            // Each character to the widget that has the focus as it is typed: the first may
            // open a cell's editor.
            for (const QChar character : word.mid(1, word.size() - 2))
                QTest::keyClicks(QApplication::focusWidget(), QString(character));
        } else
            QTest::keyClick(focused, Keys.value(word));
    }
}

template<typename Info> Info variable(const QString &name)
{
    Info info;
    info.setName(name);
    info.setMinValue("1"_s);
    info.setMaxValue("4"_s);
    info.setMinNumPoints(3);
    info.setMaxNumPoints(3);
    return info;
}

// A tab as the user first meets it, and its state written as text.
struct Tab
{
    QWidget *widget;
    std::function<QString()> state;
};

Tab makeTab(const QString &name)
{
    if (name == "details"_s) {
        auto *tab = new DetailsTabWidget;
        tab->variablesFound({variable<IndepVarInfo>("Vd"_s), variable<IndepVarInfo>("Vg"_s)},
                            {variable<GammaVarInfo>("G"_s)}, 1);
        return {tab, [tab]() -> QString {
                    QStringList values;
                    for (const IndepVarInfo &info : tab->state().independentVariables().variables())
                        values << info.name() + QLatin1Char('=') + info.value();
                    return values.join(QLatin1Char(' '));
                }};
    }
    if (name == "files"_s) {
        // The file dialog opens in the data folder, where the tab is made.
        QDir::setCurrent(QStringLiteral(LP_EXAMPLE_DATA_DIR));
        auto *tab = new FileTabWidget;
        FileTabState state;
        state.setFileType(MauryFileType);
        state.setFileNames({"pa_two_frequencies.lp"_s, "pa_upper_band.lp"_s});
        tab->setState(state);
        return {tab, [tab]() -> QString {
                    QStringList names;
                    for (const QString &file : tab->state().fileNames())
                        names << QFileInfo(file).fileName();
                    return names.join(QLatin1Char(' '));
                }};
    }
    if (name == "performance"_s) {
        auto *tab = new PerformanceTabWidget;
        PerformanceVarBaseInfo gain;
        gain.setName("Gain"_s);
        PerformanceVarBaseInfo power;
        power.setName("Pout"_s);
        tab->variablesFound({gain, power}, 1);
        return {tab, [tab]() -> QString {
                    QStringList checks; // output and auto display of each row: "OD", "O-", "--"
                    for (const PerformanceVarInfo &info : tab->state().variables())
                        checks << QString(QLatin1Char(info.output() ? 'O' : '-')) +
                                      QLatin1Char(info.autoPlot() ? 'D' : '-');
                    return checks.join(QLatin1Char(' '));
                }};
    }
    if (name == "interpolation"_s) {
        auto *tab = new InterpolationTabWidget;
        return {tab, [tab]() -> QString {
                    const InterpolationTabState state = tab->state();
                    return "%1 %2 %3"_s.arg(state.interpolationMethod())
                        .arg(state.interpolationDomain())
                        .arg(state.extrapolationMethod());
                }};
    }
    if (name == "sync"_s) {
        auto *tab = new AnalysisFrequencyRangeSyncWidget;
        tab->setState(AnalysisFrequencyRangeSyncState());
        return {tab, [tab]() -> QString {
                    return QString::number(tab->state().useFrequencyRangeFromDataFiles());
                }};
    }
    if (name == "parameters"_s) {
        auto *tab = new AnalysisParametersTabWidget;
        return {tab, [tab]() -> QString {
                    const AnalysisParametersTabState state = tab->state();
                    return "%1%2%3%4|%5"_s.arg(state.calcGamma())
                        .arg(state.calcAdmittance())
                        .arg(state.calcImpedance())
                        .arg(state.allowNonlinearDevices())
                        .arg(state.statusLevel());
                }};
    }
    if (name == "optimization"_s) {
        auto *tab = new AnalysisOptimizationTabWidget;
        return {tab, [tab]() -> QString {
                    const AnalysisOptimizationTabState state = tab->state();
                    return state.weight() + "|%1"_s.arg(state.avoidOutOfRangeData());
                }};
    }
    auto *tab = new TermTabWidget;
    TermTabState state;
    state.setTermNumber("1"_s);
    state.setReferenceImpedance("50"_s);
    state.setUnit("Ohm"_s);
    tab->setState(state);
    return {tab, [tab]() -> QString {
                const TermTabState state = tab->state();
                return state.termNumber() + QLatin1Char('|') + state.referenceImpedance() +
                       QLatin1Char('|') + state.unit();
            }};
}

} // namespace

// Every control of every tab reached and changed with the keyboard alone, in a host's dialog
// whose OK is the default button: each walk starts in the line edit before the tab.
class tst_Keyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerStateMetaTypes(); }
    void walk_data();
    void walk();
};

void tst_Keyboard::walk_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("walk");
    QTest::addColumn<QString>("dialogWalk"); // played in a modal dialog the walk opens
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *tab, const char *walk, const char *expected,
                        const char *dialogWalk = "") {
        QTest::addRow("%s: %s", tab, walk)
            << QString::fromUtf8(tab) << QString::fromUtf8(walk) << QString::fromUtf8(dialogWalk)
            << QString::fromUtf8(expected);
    };
    // Focus entering the list makes its first row current; Remove... waits for a row to be
    // chosen. The data files agree, so that no warning comes between the keys.
    row("files", "Tab Down Tab Tab Space", "pa_two_frequencies.lp");
    row("files", "Tab Down Up Tab Tab Space", "pa_upper_band.lp");
    row("files", "Tab Down Tab Tab Space Backtab Space", "pa_two_frequencies.lp pa_upper_band.lp",
        "'pa_upper_band.lp' Return");
    const char *const values = "Vd=1 Vg=1";
    // The reflection coefficients come first and hold nothing to change; the value cell of
    // the first variable is current as the focus enters the second table.
    row("details", "Tab Tab '3' Return", "Vd=3 Vg=1");
    row("details", "Tab Tab Down F2 '2' Return", "Vd=1 Vg=2");
    row("details", "Tab Tab '3' Escape", values);
    row("details", "Tab Tab '9' Return", values);
    row("details", "Tab Tab '3' Return Down '4' Return", "Vd=3 Vg=4");
    row("performance", "Tab Space", "-- O-");
    row("performance", "Tab Right Space", "OD O-");
    row("performance", "Tab Down Right Space Left Space", "O- --");
    row("performance", "Tab Tab Tab Space", "-- --");
    row("performance", "Tab Tab Tab Tab Space", "OD OD");
    row("performance", "Tab Tab Tab Tab Space Tab Space", "O- O-");
    row("interpolation", "Tab Down", "1 0 0");
    row("interpolation", "Tab Down Down Up", "1 0 0");
    row("interpolation", "Tab Tab Down", "0 1 0");
    row("interpolation", "Tab Tab Tab Down", "0 0 1");
    row("sync", "Tab Space", "0");
    row("parameters", "Tab Space", "0000|2");
    row("parameters", "Tab Tab Space", "1100|2");
    row("parameters", "Tab Tab Tab Space", "1010|2");
    row("parameters", "Tab Tab Tab Tab End Backspace '3' Tab", "1000|3");
    row("parameters", "Tab Tab Tab Tab Tab Space", "1001|2");
    row("optimization", "Tab Space", "100|0");
    row("optimization", "Tab Space Space", "100|1");
    row("optimization", "Tab Tab Space", "250|1", "End Backspace Backspace Backspace '250' Return");
    row("optimization", "Tab Tab Space", "100|1", "'0' Escape");
    row("term", "Tab End Backspace '7' Tab", "7|50|Ohm");
    row("term", "Tab Tab End '0' Tab", "1|500|Ohm");
    row("term", "Tab Tab Tab Down", "1|50|kOhm");
}

void tst_Keyboard::walk()
{
    QFETCH(QString, tab);
    QFETCH(QString, walk);
    QFETCH(QString, dialogWalk);
    QFETCH(QString, expected);
    const Tab shown = makeTab(tab);
    HostDialog dialog(shown.widget);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.before()->setFocus();
    QTRY_VERIFY(dialog.before()->hasFocus());
    int dialogsPlayed = 0;
    ModalDialogAnswerer answerer([&](QWidget *opened) {
        ++dialogsPlayed;
        QTRY_VERIFY(opened->isAncestorOf(QApplication::focusWidget()));
        play(dialogWalk);
    });

    play(walk);

    QTRY_COMPARE(shown.state(), expected);
    QCOMPARE(dialogsPlayed, dialogWalk.isEmpty() ? 0 : 1);
    QCOMPARE(finished.size(), 0);
}

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
