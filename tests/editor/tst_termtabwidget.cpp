#include "termtabwidget.h"

#include "metatypes.h"
#include "units.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using LoadPullStateUtils::TermTabState;

namespace {

QString operator""_s(const char *text, std::size_t size)
{
    return QString::fromUtf8(text, int(size));
}

// Records are written "reference impedance|unit|term number".
TermTabState term(const QString &text)
{
    TermTabState state;
    state.setReferenceImpedance(text.section(QLatin1Char('|'), 0, 0));
    state.setUnit(text.section(QLatin1Char('|'), 1, 1));
    state.setTermNumber(text.section(QLatin1Char('|'), 2, 2));
    return state;
}

QString text(const TermTabState &state)
{
    return QStringList{state.referenceImpedance(), state.unit(), state.termNumber()}.join(
        QLatin1Char('|'));
}

// The records a spy caught, separated by "; ".
QString emitted(const QSignalSpy &spy)
{
    QStringList records;
    for (const QList<QVariant> &arguments : spy)
        records << text(arguments.at(0).value<TermTabState>());
    return records.join(QStringLiteral("; "));
}

} // namespace

class tst_TermTabWidget : public QObject
{
    Q_OBJECT

    QLineEdit *termNumberEdit() const { return tab->findChildren<QLineEdit *>().value(0); }
    QLineEdit *impedanceEdit() const { return tab->findChildren<QLineEdit *>().value(1); }
    QComboBox *unitBox() const { return tab->findChild<QComboBox *>(); }
    // The fields as they are shown, written as a record.
    QString shown() const
    {
        return QStringList{impedanceEdit()->text(), unitBox()->currentText(),
                           termNumberEdit()->text()}
            .join(QLatin1Char('|'));
    }

    std::unique_ptr<TermTabWidget> tab;

private slots:
    void initTestCase() { LoadPullStateUtils::registerStateMetaTypes(); }
    void init() { tab = std::make_unique<TermTabWidget>(); }
    void newTabShowsNoState();
    void impedanceNormalisation_data();
    void impedanceNormalisation();
    void editingAField_data();
    void editingAField();
    void setState_data();
    void setState();
    void widgetStateChangedShowsTheRecordAgain();
};

void tst_TermTabWidget::newTabShowsNoState()
{
    QStringList items;
    for (int i = 0; i < unitBox()->count(); ++i)
        items << unitBox()->itemText(i);
    QCOMPARE(items, LoadPullStateUtils::resistanceUnits());
    QCOMPARE(shown(), "|None|"_s);
    QCOMPARE(text(tab->state()), "50.0 + j* 0.0|Ohm|1"_s);
}

void tst_TermTabWidget::impedanceNormalisation_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *typed, const char *expected) {
        QTest::newRow(typed) << QString::fromUtf8(typed) << QString::fromUtf8(expected);
    };
    // A complex text, 'j' of either case anywhere, is enclosed unless it already is.
    row("50+j*10", "(50+j*10)");
    row("50+J*10", "(50+J*10)");
    row("Radj", "(Radj)");
    row("(50+j*10)", "(50+j*10)");
    row(" ( 50+j*10 ) ", " ( 50+j*10 ) ");
    row("(50)+j*(10)", "((50)+j*(10))");
    // A real text loses outer parentheses, and the blanks, only when they pair.
    row("(75)", "75");
    row(" ( 75 ) ", "75");
    row("((75))", "(75)");
    row("(R1*(2+3))", "R1*(2+3)");
    row("75", "75");
    row(" 75 ", " 75 ");
    row("(50)*(2)", "(50)*(2)");
    row("(75))", "(75))");
    row("(75", "(75");
}

void tst_TermTabWidget::impedanceNormalisation()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    QCOMPARE(normalizedReferenceImpedance(typed), expected);
}

void tst_TermTabWidget::editingAField_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    // An edit is stored once, when Return (\r) or leaving it (\t) finishes it.
    QTest::newRow("a complex impedance is enclosed") << 0 << "50+j*10\r"_s
                                                     << "(50+j*10)|kOhm|1"_s;
    QTest::newRow("an enclosed real impedance is bared") << 0 << " ( 75 ) \r"_s
                                                         << "75|kOhm|1"_s;
    QTest::newRow("leaving the impedance edit") << 0 << "Zadj\t"_s
                                                << "(Zadj)|kOhm|1"_s;
    QTest::newRow("choosing a unit by its first letter") << 1 << "M"_s
                                                         << "50|MOhm|1"_s;
    QTest::newRow("choosing no unit") << 1 << "N"_s
                                      << "50|None|1"_s;
    QTest::newRow("a natural term number") << 2 << "7\r"_s
                                           << "50|kOhm|7"_s;
    QTest::newRow("a variable name as term number") << 2 << "Nport\r"_s
                                                    << "50|kOhm|Nport"_s;
    QTest::newRow("a zero term number is refused") << 2 << "0\r"_s
                                                   << "50|kOhm|1"_s;
    QTest::newRow("a letter after a number is refused") << 2 << "12x\r"_s
                                                        << "50|kOhm|12"_s;
}

void tst_TermTabWidget::editingAField()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    tab->show();
    QApplication::setActiveWindow(tab.get());
    QVERIFY(QTest::qWaitForWindowActive(tab.get()));
    tab->setState(term("50|kOhm|1"_s));
    QWidget *widget = QList<QWidget *>{impedanceEdit(), unitBox(), termNumberEdit()}.at(field);
    widget->setFocus();
    QTRY_VERIFY(widget->hasFocus());
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->selectAll();
    QSignalSpy spy(tab.get(), &TermTabWidget::stateChanged);
    QTest::keyClicks(widget, typed);

    QTRY_COMPARE(emitted(spy), expected);
    QCOMPARE(text(tab->state()), expected);
    QCOMPARE(shown(), expected);
}

void tst_TermTabWidget::setState_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("newState");
    QTest::addColumn<QString>("expectedEmissions");
    QTest::addColumn<QString>("expectedShown");

    const QString ohm = text(TermTabState());
    QTest::newRow("the default shown again keeps its impedance text and is announced once")
        << ohm << ohm << ohm << "50.0 + j* 0.0|Ohm|1"_s;
    QTest::newRow("a new unit is announced twice, both times with the new unit")
        << ohm << "75|kOhm|2"_s
        << "75|kOhm|2; 75|kOhm|2"_s
        << "75|kOhm|2"_s;
    QTest::newRow("a unit not in the list empties the box and the stored unit")
        << ohm << "75|kohm|2"_s
        << "75||2; 75||2"_s
        << "75||2"_s;
    QTest::newRow("a unit not in the list on an empty box is kept") << "75|kohm|2"_s
                                                                    << "75|ohms|2"_s
                                                                    << "75|ohms|2"_s
                                                                    << "75||2"_s;
}

void tst_TermTabWidget::setState()
{
    QFETCH(QString, before);
    QFETCH(QString, newState);
    QFETCH(QString, expectedEmissions);
    QFETCH(QString, expectedShown);

    tab->setState(term(before));
    QSignalSpy spy(tab.get(), &TermTabWidget::stateChanged);
    tab->setState(term(newState));

    QCOMPARE(emitted(spy), expectedEmissions);
    QCOMPARE(text(tab->state()), expectedEmissions.section(QStringLiteral("; "), -1));
    QCOMPARE(shown(), expectedShown);
}

// Nothing in the tab calls it: it shows the record again, over an unfinished edit.
void tst_TermTabWidget::widgetStateChangedShowsTheRecordAgain()
{
    tab->setState(term("75|GOhm|5"_s));
    QTest::keyClicks(impedanceEdit(), "x"_s);
    QSignalSpy spy(tab.get(), &TermTabWidget::stateChanged);
    tab->widgetStateChanged();

    QCOMPARE(emitted(spy), "75|GOhm|5"_s);
    QCOMPARE(shown(), "75|GOhm|5"_s);
}

QTEST_MAIN(tst_TermTabWidget)
#include "tst_termtabwidget.moc"
