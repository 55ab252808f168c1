#include "analysisparameterstabwidget.h"
#include "indepvardetailstablewidget.h"
#include "metatypes.h"
#include "termtabwidget.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>
#include <memory>

using namespace LoadPullStateUtils;

enum class Edit { StatusLevel, TermNumber, Impedance, ValueCell };
enum class Finish { FocusOut, Return };
Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Finish)

namespace {

// What the user does: "\b" stands for Backspace, every other character is typed.
void typeInto(QLineEdit *edit, const QString &keys)
{
    for (const QChar key : keys) {
        if (key == QLatin1Char('\b'))
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, QString(key));
    }
}

IndepVariablesState oneVariable()
{
    IndepVarInfo info;
    info.setName(QStringLiteral("Vdd"));
    info.setMinValue(QStringLiteral("0"));
    info.setMaxValue(QStringLiteral("30"));
    info.setMinNumPoints(4);
    info.setMaxNumPoints(4);
    info.setUnit(QStringLiteral("V"));
    info.setUnitType(QStringLiteral("Voltage"));
    info.setValue(QStringLiteral("22"));
    IndepVariablesState state;
    state.addVariable(info, false);
    return state;
}

} // namespace

// A validated edit may change its text without a keystroke: the validator's fixup puts back
// the last complete entry when the user leaves the edit or presses Return. Whatever the edit
// then shows is what its record holds, so that OK saves what the user sees.
class tst_ValidatedEdits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerStateMetaTypes(); }
    void init();
    void cleanup() { window.reset(); }
    void recordHoldsWhatTheEditShows_data();
    void recordHoldsWhatTheEditShows();

private:
    // Puts the widget under test in a window beside a second edit that takes the focus.
    void show(QWidget *widget);
    QLineEdit *openValueCell(IndepVarDetailsTableWidget *table);

    std::unique_ptr<QWidget> window;
    QLineEdit *focusSink = nullptr;
};

void tst_ValidatedEdits::init()
{
    window = std::make_unique<QWidget>();
    focusSink = new QLineEdit;
}

void tst_ValidatedEdits::show(QWidget *widget)
{
    auto *layout = new QVBoxLayout(window.get());
    layout->addWidget(widget);
    layout->addWidget(focusSink);
    window->show();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

// Value cells are editable but not selectable: one click opens them.
QLineEdit *tst_ValidatedEdits::openValueCell(IndepVarDetailsTableWidget *table)
{
    const QPoint cell = table->visualItemRect(table->item(0, 1)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
    return table->viewport()->findChild<QLineEdit *>();
}

void tst_ValidatedEdits::recordHoldsWhatTheEditShows_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<Finish>("finish");
    QTest::addColumn<QString>("expected");

    // The status level starts at "2", the term number at "1", the impedance at "50" and
    // the value of Vdd (0 to 30 V) at "22".
    const QString eraseAll = QStringLiteral("\b\b\b\b");
    for (const Finish finish : {Finish::FocusOut, Finish::Return}) {
        const char *how = finish == Finish::FocusOut ? "leaving" : "Return";
        QTest::addRow("status level: 5 typed, erased, then %s", how)
            << Edit::StatusLevel << QStringLiteral("\b5\b") << finish << QStringLiteral("5");
        QTest::addRow("status level: a name, then %s", how)
            << Edit::StatusLevel << QStringLiteral("\blvl") << finish << QStringLiteral("lvl");
        QTest::addRow("term number: erased, then %s", how)
            << Edit::TermNumber << eraseAll << finish << QStringLiteral("1");
        QTest::addRow("term number: 7 typed, erased, then %s", how)
            << Edit::TermNumber << QStringLiteral("\b7\b") << finish << QStringLiteral("7");
        QTest::addRow("impedance: a complex text, then %s", how)
            << Edit::Impedance << QStringLiteral("\b\b50 + j*2") << finish
            << QStringLiteral("(50 + j*2)");
        QTest::addRow("value cell: an unfinished number, then %s", how)
            << Edit::ValueCell << QStringLiteral("\b\b-") << finish << QStringLiteral("2");
        QTest::addRow("value cell: 12.5, then %s", how)
            << Edit::ValueCell << QStringLiteral("\b\b12.5") << finish << QStringLiteral("12.5");
    }
}

void tst_ValidatedEdits::recordHoldsWhatTheEditShows()
{
    QFETCH(Edit, edit);
    QFETCH(QString, keys);
    QFETCH(Finish, finish);
    QFETCH(QString, expected);

    QLineEdit *lineEdit = nullptr;
    std::function<QString()> shown;
    std::function<QString()> recorded;
    switch (edit) {
    case Edit::StatusLevel: {
        auto *tab = new AnalysisParametersTabWidget;
        show(tab);
        lineEdit = tab->findChild<QLineEdit *>();
        shown = [lineEdit] {
            return lineEdit->text();
        };
        recorded = [tab] {
            return tab->state().statusLevel();
        };
        break;
    }
    case Edit::TermNumber:
    case Edit::Impedance: {
        auto *tab = new TermTabWidget;
        TermTabState state;
        state.setTermNumber(QStringLiteral("1"));
        state.setReferenceImpedance(QStringLiteral("50"));
        tab->setState(state);
        show(tab);
        lineEdit = tab->findChildren<QLineEdit *>().value(edit == Edit::TermNumber ? 0 : 1);
        shown = [lineEdit] {
            return lineEdit->text();
        };
        recorded = [tab, edit] {
            return edit == Edit::TermNumber ? tab->state().termNumber()
                                            : tab->state().referenceImpedance();
        };
        break;
    }
    case Edit::ValueCell: {
        auto *table = new IndepVarDetailsTableWidget;
        table->setState(oneVariable());
        show(table);
        lineEdit = openValueCell(table);
        QVERIFY(lineEdit);
        shown = [table] {
            return table->item(0, 1)->text();
        };
        recorded = [table] {
            return table->state().variableNamed(QStringLiteral("Vdd")).value();
        };
        break;
    }
    }
    lineEdit->setFocus();
    QTRY_VERIFY(lineEdit->hasFocus());
    lineEdit->end(false);

    typeInto(lineEdit, keys);
    if (finish == Finish::Return)
        QTest::keyClick(lineEdit, Qt::Key_Return);
    focusSink->setFocus();
    QTRY_VERIFY(focusSink->hasFocus());

    QTRY_COMPARE(shown(), expected);
    QCOMPARE(recorded(), expected);
}

QTEST_MAIN(tst_ValidatedEdits)
#include "tst_validatededits.moc"
