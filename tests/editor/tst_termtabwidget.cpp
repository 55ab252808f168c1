#include "termtabwidget.h"

#include "metatypes.h"
#include "natorvarvalidator.h"
#include "units.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using LoadPullStateUtils::TermTabState;

namespace LoadPullStateUtils {

// Readable failures for compared records.
char *toString(const TermTabState &state)
{
    return QTest::toString(QStringLiteral("'%1' '%2' '%3'")
                               .arg(state.referenceImpedance(), state.unit(), state.termNumber()));
}

} // namespace LoadPullStateUtils

namespace {

TermTabState term(const QString &impedance, const QString &unit, const QString &number)
{
    TermTabState state;
    state.setReferenceImpedance(impedance);
    state.setUnit(unit);
    state.setTermNumber(number);
    return state;
}

QList<TermTabState> emitted(const QSignalSpy &spy)
{
    QList<TermTabState> states;
    for (const QList<QVariant> &arguments : spy)
        states << arguments.at(0).value<TermTabState>();
    return states;
}

// Replaces the whole text of an edit as a user would: select all, type over it.
void typeOver(QLineEdit *edit, const QString &text)
{
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

} // namespace

class tst_TermTabWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void slotsCanBeConnectedBySignature();
    void newTabIsLaidOutAndShowsNoState();
    void impedanceNormalisation_data();
    void impedanceNormalisation();
    void finishingTheImpedanceEdit_data();
    void finishingTheImpedanceEdit();
    void losingFocusFinishesTheImpedanceEdit();
    void setStateShowsTheRecord_data();
    void setStateShowsTheRecord();
    void choosingAUnit_data();
    void choosingAUnit();
    void typingTheTermNumber_data();
    void typingTheTermNumber();
    void widgetStateChangedAnnouncesOnce();

private:
    QWidget *cell(int row, int column) const;
    QLineEdit *termNumberEdit() const { return qobject_cast<QLineEdit *>(cell(1, 1)); }
    QLineEdit *impedanceEdit() const { return qobject_cast<QLineEdit *>(cell(2, 1)); }
    QComboBox *unitBox() const { return qobject_cast<QComboBox *>(cell(2, 2)); }

    std::unique_ptr<TermTabWidget> tab;
};

void tst_TermTabWidget::initTestCase()
{
    LoadPullStateUtils::registerStateMetaTypes();
}

void tst_TermTabWidget::init()
{
    tab = std::make_unique<TermTabWidget>();
}

void tst_TermTabWidget::cleanup()
{
    tab.reset();
}

// The grid sits in a row in a column, each followed by a stretch.
QWidget *tst_TermTabWidget::cell(int row, int column) const
{
    QLayoutItem *line = tab->layout()->itemAt(0);
    QLayoutItem *grid = line && line->layout() ? line->layout()->itemAt(0) : nullptr;
    auto *gridLayout = grid ? qobject_cast<QGridLayout *>(grid->layout()) : nullptr;
    QLayoutItem *item = gridLayout ? gridLayout->itemAtPosition(row, column) : nullptr;
    return item ? item->widget() : nullptr;
}

void tst_TermTabWidget::slotsCanBeConnectedBySignature()
{
    const QMetaObject &meta = TermTabWidget::staticMetaObject;
    QCOMPARE(meta.className(), "TermTabWidget");
    int previous = -1;
    for (const char *signature :
         {"stateChanged(LoadPullStateUtils::TermTabState)", "state()",
          "setState(LoadPullStateUtils::TermTabState)", "widgetStateChanged()",
          "referenceImpedanceChanged()", "unitChanged(QString)", "termNumberChanged()"}) {
        const int index = meta.indexOfMethod(signature);
        QVERIFY2(index > previous, signature);
        previous = index;
    }
}

void tst_TermTabWidget::newTabIsLaidOutAndShowsNoState()
{
    QCOMPARE(qobject_cast<QLabel *>(cell(1, 0))->text(), QStringLiteral("Term number:"));
    QCOMPARE(qobject_cast<QLabel *>(cell(2, 0))->text(), QStringLiteral("Reference impedance:"));
    QVERIFY(termNumberEdit());
    QVERIFY(impedanceEdit());
    QVERIFY(unitBox());
    QVERIFY(!cell(0, 0));
    QVERIFY(dynamic_cast<const NatOrVarValidator *>(termNumberEdit()->validator()));
    QVERIFY(!impedanceEdit()->validator());

    QStringList units;
    for (int i = 0; i < unitBox()->count(); ++i)
        units << unitBox()->itemText(i);
    QCOMPARE(units, LoadPullStateUtils::resistanceUnits());
    QCOMPARE(unitBox()->currentText(), QStringLiteral("None"));
    QVERIFY(termNumberEdit()->text().isEmpty());
    QVERIFY(impedanceEdit()->text().isEmpty());
    QCOMPARE(tab->state(), TermTabState());
}

void tst_TermTabWidget::impedanceNormalisation_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *name, const char *typed, const char *expected) {
        QTest::newRow(name) << QString::fromUtf8(typed) << QString::fromUtf8(expected);
    };
    row("a complex text gains parentheses", "50+j*10", "(50+j*10)");
    row("a complex text already enclosed stays as typed", "(50+j*10)", "(50+j*10)");
    row("blanks around an enclosed complex text are kept", " ( 50+j*10 ) ", " ( 50+j*10 ) ");
    row("a capital J counts as complex", "50+J*10", "(50+J*10)");
    row("a variable name ending in adj counts as complex", "Radj", "(Radj)");
    row("the default text gains parentheses", "50.0 + j* 0.0", "(50.0 + j* 0.0)");
    row("a complex text of two enclosed parts is enclosed as a whole", "(50)+j*(10)",
        "((50)+j*(10))");
    row("a real value loses its parentheses", "(75)", "75");
    row("a real value loses blanks around and inside its parentheses", " ( 75 ) ", "75");
    row("a bare real value stays", "75", "75");
    row("a product of two enclosed values stays whole", "(50)*(2)", "(50)*(2)");
    row("only the outer pair of a nested expression goes", "(R1*(2+3))", "R1*(2+3)");
    row("a doubled pair loses one", "((75))", "(75)");
    row("a surplus closing parenthesis keeps the text", "(75))", "(75))");
    row("an unclosed parenthesis keeps the text", "(75", "(75");
    row("blanks around a bare real value are kept", " 75 ", " 75 ");
}

void tst_TermTabWidget::impedanceNormalisation()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    QCOMPARE(normalizedReferenceImpedance(typed), expected);
}

void tst_TermTabWidget::finishingTheImpedanceEdit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("a complex text is enclosed")
        << QStringLiteral("50+j*10") << QStringLiteral("(50+j*10)");
    QTest::newRow("an enclosed complex text with blanks is kept as typed")
        << QStringLiteral(" (50+j*10) ") << QStringLiteral(" (50+j*10) ");
    QTest::newRow("an enclosed real value with blanks becomes the bare value")
        << QStringLiteral(" ( 75 ) ") << QStringLiteral("75");
    QTest::newRow("a product of enclosed values is kept")
        << QStringLiteral("(50)*(2)") << QStringLiteral("(50)*(2)");
    QTest::newRow("a nested expression keeps its inner parentheses")
        << QStringLiteral("(R1*(2+3))") << QStringLiteral("R1*(2+3)");
    QTest::newRow("a name with j in it is enclosed")
        << QStringLiteral("Zadj") << QStringLiteral("(Zadj)");
}

void tst_TermTabWidget::finishingTheImpedanceEdit()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    tab->setState(term(QStringLiteral("50"), QStringLiteral("kOhm"), QStringLiteral("3")));
    QSignalSpy spy(tab.get(), &TermTabWidget::stateChanged);
    typeOver(impedanceEdit(), typed);
    QCOMPARE(spy.count(), 0);
    QTest::keyClick(impedanceEdit(), Qt::Key_Return);

    const TermTabState after = term(expected, QStringLiteral("kOhm"), QStringLiteral("3"));
    QCOMPARE(emitted(spy), QList<TermTabState>{after});
    QCOMPARE(tab->state(), after);
    QCOMPARE(impedanceEdit()->text(), expected);
}

// The default is shown as it stands and enclosed only once the user finishes an edit.
void tst_TermTabWidget::losingFocusFinishesTheImpedanceEdit()
{
    tab->show();
    QApplication::setActiveWindow(tab.get());
    QVERIFY(QTest::qWaitForWindowActive(tab.get()));
    tab->setState(TermTabState());
    QCOMPARE(impedanceEdit()->text(), QStringLiteral("50.0 + j* 0.0"));
    impedanceEdit()->setFocus();
    QTRY_VERIFY(impedanceEdit()->hasFocus());
    QSignalSpy spy(tab.get(), &TermTabWidget::stateChanged);

    QTest::keyClick(impedanceEdit(), Qt::Key_Tab);

    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<TermTabState>().referenceImpedance(),
             QStringLiteral("(50.0 + j* 0.0)"));
    QCOMPARE(impedanceEdit()->text(), QStringLiteral("(50.0 + j* 0.0)"));
}

void tst_TermTabWidget::setStateShowsTheRecord_data()
{
    QTest::addColumn<TermTabState>("shownBefore");
    QTest::addColumn<TermTabState>("newState");
    QTest::addColumn<QList<TermTabState>>("expectedEmissions");
    QTest::addColumn<int>("expectedUnitIndex");

    const TermTabState ohm = TermTabState();
    const TermTabState kOhm =
        term(QStringLiteral("75"), QStringLiteral("kOhm"), QStringLiteral("2"));
    QTest::newRow("the default record is shown with its impedance unchanged")
        << ohm << ohm << QList<TermTabState>{ohm} << 2;
    QTest::newRow("a new unit is announced twice, both times with the new unit")
        << ohm << kOhm << QList<TermTabState>{kOhm, kOhm} << 3;
    QTest::newRow("the unit already shown is announced once")
        << kOhm << kOhm << QList<TermTabState>{kOhm} << 3;
    const TermTabState lowerCase =
        term(QStringLiteral("75"), QStringLiteral("kohm"), QStringLiteral("2"));
    const TermTabState noUnit = term(QStringLiteral("75"), QString(), QStringLiteral("2"));
    QTest::newRow("a unit not in the list empties the box and the stored unit")
        << ohm << lowerCase << QList<TermTabState>{noUnit, noUnit} << -1;
    const TermTabState other =
        term(QStringLiteral("75"), QStringLiteral("ohms"), QStringLiteral("2"));
    QTest::newRow("a unit not in the list on an empty box is kept")
        << lowerCase << other << QList<TermTabState>{other} << -1;
}

void tst_TermTabWidget::setStateShowsTheRecord()
{
    QFETCH(TermTabState, shownBefore);
    QFETCH(TermTabState, newState);
    QFETCH(QList<TermTabState>, expectedEmissions);
    QFETCH(int, expectedUnitIndex);

    tab->setState(shownBefore);
    QSignalSpy spy(tab.get(), &TermTabWidget::stateChanged);
    tab->setState(newState);

    QCOMPARE(emitted(spy), expectedEmissions);
    QCOMPARE(tab->state(), expectedEmissions.last());
    QCOMPARE(unitBox()->currentIndex(), expectedUnitIndex);
    QCOMPARE(impedanceEdit()->text(), newState.referenceImpedance());
    QCOMPARE(termNumberEdit()->text(), newState.termNumber());
}

void tst_TermTabWidget::choosingAUnit_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expectedUnit");

    QTest::newRow("Down from kOhm chooses MOhm") << int(Qt::Key_Down) << QStringLiteral("MOhm");
    QTest::newRow("Home chooses None") << int(Qt::Key_Home) << QStringLiteral("None");
    QTest::newRow("End chooses TOhm") << int(Qt::Key_End) << QStringLiteral("TOhm");
}

void tst_TermTabWidget::choosingAUnit()
{
    QFETCH(int, key);
    QFETCH(QString, expectedUnit);

    tab->setState(term(QStringLiteral("(1+j)"), QStringLiteral("kOhm"), QStringLiteral("4")));
    QSignalSpy spy(tab.get(), &TermTabWidget::stateChanged);
    QTest::keyClick(unitBox(), Qt::Key(key));

    const TermTabState after = term(QStringLiteral("(1+j)"), expectedUnit, QStringLiteral("4"));
    QCOMPARE(emitted(spy), QList<TermTabState>{after});
    QCOMPARE(unitBox()->currentText(), expectedUnit);
}

void tst_TermTabWidget::typingTheTermNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expectedNumber");

    QTest::newRow("a natural number is taken") << QStringLiteral("7") << QStringLiteral("7");
    QTest::newRow("a variable name is taken") << QStringLiteral("Nport") << QStringLiteral("Nport");
    QTest::newRow("zero is refused and the number stays")
        << QStringLiteral("0") << QStringLiteral("1");
    QTest::newRow("a letter after a number is refused")
        << QStringLiteral("12x") << QStringLiteral("12");
}

void tst_TermTabWidget::typingTheTermNumber()
{
    QFETCH(QString, typed);
    QFETCH(QString, expectedNumber);

    tab->setState(TermTabState());
    QSignalSpy spy(tab.get(), &TermTabWidget::stateChanged);
    typeOver(termNumberEdit(), typed);
    QCOMPARE(spy.count(), 0);
    QTest::keyClick(termNumberEdit(), Qt::Key_Return);

    const TermTabState after =
        term(QStringLiteral("50.0 + j* 0.0"), QStringLiteral("Ohm"), expectedNumber);
    QCOMPARE(emitted(spy), QList<TermTabState>{after});
    QCOMPARE(termNumberEdit()->text(), expectedNumber);
}

// Nothing in the tab calls it; it shows the record again and announces it.
void tst_TermTabWidget::widgetStateChangedAnnouncesOnce()
{
    const TermTabState shown =
        term(QStringLiteral("75"), QStringLiteral("GOhm"), QStringLiteral("5"));
    tab->setState(shown);
    typeOver(impedanceEdit(), QStringLiteral("unfinished"));
    QSignalSpy spy(tab.get(), &TermTabWidget::stateChanged);

    tab->widgetStateChanged();

    QCOMPARE(emitted(spy), QList<TermTabState>{shown});
    QCOMPARE(impedanceEdit()->text(), QStringLiteral("75"));
}

QTEST_MAIN(tst_TermTabWidget)
#include "tst_termtabwidget.moc"
