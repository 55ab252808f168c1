#include "termtabwidget.h"

#include "metatypes.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using LoadPullStateUtils::TermTabState;

namespace {

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
    void changingTheTab_data();
    void changingTheTab();
};

void tst_TermTabWidget::changingTheTab_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expectedEmissions");
    QTest::addColumn<QString>("expectedShown");

    const auto row = [](const char *name, const char *before, const char *action,
                        const char *emissions, const char *shown = nullptr) {
        QTest::newRow(name)
            << QString::fromUtf8(before) << QString::fromUtf8(action)
            << QString::fromUtf8(emissions)
            << QString::fromUtf8(shown ? shown : emissions).section(QStringLiteral("; "), -1);
    };
    // Keys typed into a field, 0 to 2 as a record orders them, are stored once Return (\r)
    // or Tab finishes the edit. Which entries a field refuses is tst_validatededits' part.
    const char *kOhm = "50|kOhm|1";
    row("a unit is chosen by its first letter", kOhm, "1 M", "50|MOhm|1");
    row("a variable name as term number", kOhm, "2 Nport\r", "50|kOhm|Nport");
    // An impedance is kept as typed, but a sum is enclosed in parentheses when a unit follows
    // it, so that the unit applies to all of it.
    row("50+J*10 left by Tab", kOhm, "0 50+J*10\t", "(50+J*10)|kOhm|1");
    row("(50)+j*(10)", kOhm, "0 (50)+j*(10)\r", "((50)+j*(10))|kOhm|1");
    row(" ( 50+j*10 ) ", kOhm, "0  ( 50+j*10 ) \r", " ( 50+j*10 ) |kOhm|1");
    row("a sum without a unit", "50|None|1", "0 50+j*10\r", "50+j*10|None|1");
    row("a unit chosen after a sum", "50+j*10|None|1", "1 M", "50+j*10|mOhm|1; (50+j*10)|mOhm|1");
    row("a signed number and an exponent are no sum", kOhm, "0 -5e-3\r", "-5e-3|kOhm|1");
    row("a product", kOhm, "0 Zadj*2\r", "Zadj*2|kOhm|1");
    // Focus passing through a field with no edit changes nothing.
    row("Tab through the default", "50.0 + j* 0.0|Ohm|1", "0 \t", "", "50.0 + j* 0.0|Ohm|1");
    row("Return on a name", "Zadj|Ohm|1", "0 \r", "", "Zadj|Ohm|1");
    // setState announces once, and once more when it moves the unit box.
    const char *ohm = "50.0 + j* 0.0|Ohm|1"; // the default, its impedance shown unchanged
    row("the record shown", ohm, ohm, ohm);
    row("a new unit", ohm, "75|kOhm|2", "75|kOhm|2; 75|kOhm|2");
    // A unit not in the list empties the box, and the stored unit unless the box was empty.
    row("a unit not in the list", ohm, "75|kohm|2", "75||2; 75||2");
    row("a unit not in the list on an empty box", "75|kohm|2", "75|ohms|2", "75|ohms|2", "75||2");
}

void tst_TermTabWidget::changingTheTab()
{
    QFETCH(QString, before);
    QFETCH(QString, action);
    QFETCH(QString, expectedEmissions);
    QFETCH(QString, expectedShown);

    tab->show();
    QApplication::setActiveWindow(tab.get());
    QVERIFY(QTest::qWaitForWindowActive(tab.get()));
    QCOMPARE(shown(), QStringLiteral("|None|")); // a new tab shows no record
    tab->setState(term(before));
    const bool typing = !action.contains(QLatin1Char('|'));
    QWidget *field = QList<QWidget *>{impedanceEdit(), unitBox(), termNumberEdit()}.at(
        typing ? action.left(1).toInt() : 0);
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    QSignalSpy spy(tab.get(), &TermTabWidget::stateChanged);
    const QString keys = action.mid(2);
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        edit->selectAll();
    if (typing)
        QTest::keyClicks(field, keys);
    else
        tab->setState(term(action));
    QTRY_COMPARE(emitted(spy), expectedEmissions);
    const QString last =
        expectedEmissions.isEmpty() ? before : expectedEmissions.section(QStringLiteral("; "), -1);
    QCOMPARE(text(tab->state()), last);
    QCOMPARE(shown(), expectedShown);

    // widgetStateChanged, which nothing in the tab calls, shows the record again over an edit.
    spy.clear();
    QTest::keyClick(impedanceEdit(), Qt::Key_X);
    tab->widgetStateChanged();
    QCOMPARE(emitted(spy), last);
    QCOMPARE(shown(), expectedShown);
}

QTEST_MAIN(tst_TermTabWidget)
#include "tst_termtabwidget.moc"
