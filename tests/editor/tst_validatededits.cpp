#include "analysisparameterstabwidget.h"
#include "hostdialog.h"
#include "indepvardetailstablewidget.h"
#include "metatypes.h"
#include "notelabel.h"
#include "termtabwidget.h"
#include "testtexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRandomGenerator>
#include <QtTest>

#include <functional>
#include <memory>

using namespace LoadPullStateUtils;

enum class Field { TermNumber, Impedance, StatusLevel, ValueCell };
enum class Finish { Return, Tab, FocusOut };
Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(Finish)

namespace {

const char *const FieldNames[] = {"term number", "impedance", "status level", "value cell"};

// Types the text as a keyboard would, characters beyond Latin-1 included; "" erases the field.
void type(QWidget *widget, const QString &text)
{
    if (text.isEmpty())
        QTest::keyClick(widget, Qt::Key_Backspace);
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
}

IndepVariablesState oneVariable()
{
    IndepVarInfo info;
    info.setName("Vdd"_s);
    info.setMinValue("0"_s);
    info.setMaxValue("30"_s);
    info.setMinNumPoints(4);
    info.setMaxNumPoints(4);
    info.setUnit("V"_s);
    info.setValue("22"_s);
    IndepVariablesState state;
    state.addVariable(info, false);
    return state;
}

// One field in a host's dialog whose OK is the default button: the term tab starts at term
// number 1 and impedance 50, the status level at 2, the value of Vdd (0 to 30) at 22.
struct FieldUnderTest
{
    // Before the dialog, which may still say something as it goes.
    QString tableNote;
    std::unique_ptr<HostDialog> dialog;
    QWidget *content = nullptr;
    IndepVarDetailsTableWidget *table = nullptr; // for the value cell
    QLineEdit *edit = nullptr;                   // for a tab's field
    std::function<QString()> recorded;

    // The field's edit; one click opens a value cell's.
    QLineEdit *open() const
    {
        if (!table)
            return edit;
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(0, 1)).center());
        return table->viewport()->findChild<QLineEdit *>();
    }
    QString shown() const { return table ? table->item(0, 1)->text() : edit->text(); }
    QString note() const
    {
        if (table)
            return tableNote;
        const auto *label = content->findChild<NoteLabel *>();
        return label->isVisibleTo(content) ? label->text() : QString();
    }
};

std::unique_ptr<FieldUnderTest> makeField(Field field)
{
    auto f = std::make_unique<FieldUnderTest>();
    if (field == Field::ValueCell) {
        f->table = new IndepVarDetailsTableWidget;
        f->table->setState(oneVariable());
        QObject::connect(f->table, &IndepVarDetailsTableWidget::valueNoteChanged,
                         [note = &f->tableNote](const QString &text) { *note = text; });
        f->recorded = [table = f->table] {
            return table->state().variableNamed("Vdd"_s).value();
        };
        f->content = f->table;
    } else if (field == Field::StatusLevel) {
        auto *tab = new AnalysisParametersTabWidget;
        f->recorded = [tab] {
            return tab->state().statusLevel();
        };
        f->content = tab;
        f->edit = tab->findChild<QLineEdit *>();
    } else {
        auto *tab = new TermTabWidget;
        TermTabState state;
        state.setTermNumber("1"_s);
        state.setReferenceImpedance("50"_s);
        tab->setState(state);
        const bool term = field == Field::TermNumber;
        f->recorded = [tab, term] {
            return term ? tab->state().termNumber() : tab->state().referenceImpedance();
        };
        f->content = tab;
        f->edit = tab->findChildren<QLineEdit *>().value(term ? 0 : 1);
    }
    f->dialog = std::make_unique<HostDialog>(f->content);
    return f;
}

} // namespace

// A field keeps every keystroke. When the edit ends, by Return or by the focus leaving, it takes
// the entry, or refuses it with a note saying why and shows the last value taken again: a typo
// never becomes another value, and nothing goes to the host that it cannot keep.
class tst_ValidatedEdits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerStateMetaTypes(); }
    void anEntryIsTakenOrRefusedWithItsReason_data();
    void anEntryIsTakenOrRefusedWithItsReason();
    void anyTypedTextIsKeptThenTakenOrRefused();
    void theStatusLevelEditKeepsItsCursorAndUndo();
    void aCellEditorIsAsWideAsItsText();
    void theRefusalForTheHostGoesWithItsNote_data();
    void theRefusalForTheHostGoesWithItsNote();
    void destroyingATabWhileItsEditHoldsAnEntryIsSafe_data();
    void destroyingATabWhileItsEditHoldsAnEntryIsSafe();

private:
    // What ending the edit of `typed` gives: the value shown and kept, and the note.
    struct Outcome
    {
        QString typedShown;
        QString recorded;
        QString shown;
        QString note;
        bool dialogOpen;
        bool inEdit;     // a cell's editor still open
        QString flagged; // the edit's note for the host
        bool focusStayed;
    };
    Outcome enter(Field field, const QString &typed, Finish finish);
};

tst_ValidatedEdits::Outcome tst_ValidatedEdits::enter(Field field, const QString &typed,
                                                      Finish finish)
{
    const std::unique_ptr<FieldUnderTest> f = makeField(field);
    f->dialog->show();
    if (!QTest::qWaitForWindowActive(f->dialog.get()))
        return {};
    const QPointer<QLineEdit> edit = f->open();
    if (!edit)
        return {};
    edit->setFocus();
    edit->selectAll();
    type(edit, typed);
    Outcome outcome;
    outcome.typedShown = edit->text();
    if (finish == Finish::Return)
        QTest::keyClick(edit, Qt::Key_Return);
    else if (finish == Finish::Tab)
        QTest::keyClick(edit, Qt::Key_Tab);
    else
        f->dialog->before()->setFocus();
    outcome.focusStayed = edit && edit->hasFocus();
    QCoreApplication::processEvents();
    outcome.recorded = f->recorded();
    outcome.shown = f->shown();
    outcome.note = f->note();
    outcome.dialogOpen = f->dialog->isVisible();
    outcome.inEdit = f->table && edit && edit->isVisible() && edit->text() == typed;
    outcome.flagged = edit ? edit->property("refusedEntry").toString() : QString();
    return outcome;
}

void tst_ValidatedEdits::anEntryIsTakenOrRefusedWithItsReason_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Finish>("finish");
    QTest::addColumn<QString>("expected"); // the value kept
    QTest::addColumn<QString>("reason");   // why it was refused; empty when taken
    QTest::addColumn<QString>("takenNote");

    const QString latin1 = "%1 cannot be kept by the host, which keeps only Latin-1 text"_s;
    const QString empty = "it is empty"_s;
    const QString operatorAtEnd = "it ends in an operator"_s;
    const QString notATermNumber =
        "it is neither a whole number from 1 to 2147483647 nor a variable name"_s;
    const QString notALevel = "it is neither a whole number from 1 to 4 nor a variable name"_s;
    const QString point = "the design environment reads numbers with a decimal point: enter "_s;
    struct Row
    {
        Field field;
        QString typed;
        QString expected;
        QString reason;
        QString takenNote = {}; // what the field says of an entry it takes
    };
    const QString enclosed = "The reference impedance is a sum: it is enclosed in parentheses, "
                             "so that the unit Ohm applies to all of it."_s;
    const Row rows[] = {
        {Field::TermNumber, "7"_s, "7"_s, {}},
        {Field::TermNumber, "Nport"_s, "Nport"_s, {}},
        {Field::TermNumber, "1.5"_s, "1"_s, notATermNumber},
        {Field::TermNumber, "-3"_s, "1"_s, notATermNumber},
        {Field::TermNumber, "\u0394n"_s, "1"_s, latin1.arg("\u0394"_s)},
        {Field::TermNumber, QString(), "1"_s, empty},
        {Field::Impedance, "50+j*10"_s, "(50+j*10)"_s, {}, enclosed},
        {Field::Impedance, "j*10"_s, "j*10"_s, {}},
        {Field::Impedance, "(75)"_s, "(75)"_s, {}},
        {Field::Impedance, "75 Ohm"_s, "50"_s,
         "it ends in the unit Ohm, which is chosen in the box beside the field"_s},
        {Field::Impedance, "50\u03a9"_s, "50"_s, latin1.arg("\u03a9"_s)},
        {Field::Impedance, "75Ohm"_s, "50"_s,
         "it ends in the unit Ohm, which is chosen in the box beside the field"_s},
        {Field::Impedance, "0.1kohm"_s, "50"_s,
         "it ends in the unit kohm, which is chosen in the box beside the field"_s},
        {Field::Impedance, "Rohm"_s, "Rohm"_s, {}},
        {Field::Impedance, "50,5"_s, "50"_s, point + "\"50.5\""_s},
        {Field::Impedance, "f(50,5)"_s, "f(50,5)"_s, {}},
        {Field::Impedance, "  "_s, "50"_s, empty},
        {Field::Impedance, "j*"_s, "50"_s, operatorAtEnd},
        {Field::Impedance, "50 +"_s, "50"_s, operatorAtEnd},
        {Field::Impedance, "*50"_s, "50"_s, "it begins with an operator"_s},
        {Field::Impedance, "(50"_s, "50"_s, "its parentheses do not pair"_s},
        {Field::StatusLevel, "3"_s, "3"_s, {}},
        {Field::StatusLevel, "lvl"_s, "lvl"_s, {}},
        {Field::StatusLevel, "2.5"_s, "2"_s, notALevel},
        {Field::StatusLevel, "5"_s, "2"_s, "status levels run from 1 to 4"_s},
        {Field::StatusLevel, "0"_s, "2"_s, "status levels run from 1 to 4"_s},
        {Field::StatusLevel, "\u22120"_s, "2"_s, latin1.arg("\u2212"_s)},
        {Field::StatusLevel, QString(), "2"_s, empty},
        {Field::ValueCell, "12.5"_s, "12.5"_s, {}},
        {Field::ValueCell, "18,5"_s, "22"_s, point + "\"18.5\""_s},
        {Field::ValueCell, "\u0394p"_s, "22"_s, latin1.arg("\u0394"_s)},
        {Field::ValueCell, "28 V"_s, "28"_s, {}},
        {Field::ValueCell, "dbmtow(20)"_s, "22"_s, "enter a number in V"_s},
        {Field::ValueCell, "Vsupply - 3"_s, "22"_s, "it is neither a number nor a variable name"_s},
        {Field::ValueCell, "-"_s, "22"_s, operatorAtEnd},
        {Field::ValueCell, QString(), "22"_s, empty},
    };
    for (const Row &row : rows) {
        for (const Finish finish : {Finish::Return, Finish::Tab, Finish::FocusOut}) {
            const char *const finishes[] = {"Return", "Tab", "focus leaving"};
            QTest::addRow("%s: '%s' %s, %s", FieldNames[int(row.field)],
                          row.typed.toUtf8().constData(),
                          row.reason.isEmpty() ? "taken" : "refused", finishes[int(finish)])
                << row.field << row.typed << finish << row.expected << row.reason << row.takenNote;
        }
    }
}

void tst_ValidatedEdits::anEntryIsTakenOrRefusedWithItsReason()
{
    QFETCH(Field, field);
    QFETCH(QString, typed);
    QFETCH(Finish, finish);
    QFETCH(QString, expected);
    QFETCH(QString, reason);
    QFETCH(QString, takenNote);

    const Outcome outcome = enter(field, typed, finish);

    QCOMPARE(outcome.typedShown, typed);
    QCOMPARE(outcome.recorded, expected);
    QCOMPARE(outcome.shown, expected);
    if (reason.isEmpty()) {
        QCOMPARE(outcome.note, takenNote);
    } else {
        QVERIFY2(outcome.note.startsWith(u'"') &&
                     outcome.note.contains(typed.trimmed() + "\" was not taken"_s),
                 qPrintable(outcome.note));
        QVERIFY2(outcome.note.endsWith(": "_s + reason + u'.'), qPrintable(outcome.note));
    }
    // A refused cell stays in its edit. The host hears of an entry refused as the focus left.
    QCOMPARE(outcome.inEdit, field == Field::ValueCell && !reason.isEmpty());
    QCOMPARE(outcome.flagged,
             finish == Finish::FocusOut && !reason.isEmpty() ? outcome.note : QString());
    // Return on a refused entry stays with its note; a cell's Return ends only the cell's edit.
    const bool returnReachesOk =
        finish == Finish::Return && reason.isEmpty() && field != Field::ValueCell;
    QCOMPARE(outcome.dialogOpen, !returnReachesOk);
    // Tab, like Return, keeps the focus beside the note of a refused entry.
    if (finish == Finish::Tab)
        QCOMPARE(outcome.focusStayed, !reason.isEmpty());
}

// Any text typed into any field: the field shows it as typed until the edit ends; then the
// record holds it (the impedance in its stored form) and no note shows, or the record keeps
// its value and a note quotes the text. What a record holds goes to the host unchanged.
void tst_ValidatedEdits::anyTypedTextIsKeptThenTakenOrRefused()
{
    const QString alphabet = "0123456789.,-+*/()eE jxZ_hmO\u00e9\u0394\u03a9"_s;
    QRandomGenerator random(22);
    const QString before[] = {"1"_s, "50"_s, "2"_s, "22"_s};
    // Holds when the outcome of typing `text` is as the rule says.
    const auto holds = [&](Field field, const QString &text) {
        const Outcome outcome = enter(field, text, Finish::FocusOut);
        const QString taken = field == Field::Impedance   ? referenceImpedanceForUnit(text, "Ohm"_s)
                              : field == Field::ValueCell ? text.trimmed()
                                                          : text;
        const bool refused = outcome.note.contains("was not taken"_s);
        const QString kept = refused ? before[int(field)] : taken;
        return outcome.typedShown == text && outcome.recorded == kept && outcome.shown == kept &&
               (!refused || outcome.note.contains(text.trimmed())) &&
               QString::fromLatin1(kept.toLatin1()) == kept;
    };
    for (int i = 0; i < 120; ++i) {
        const auto field = Field(i % 4);
        QString text;
        for (int length = int(random.bounded(1, 7)); length > 0; --length)
            text += alphabet.at(int(random.bounded(alphabet.size())));
        if (holds(field, text))
            continue;
        // The shortest text, one character less at a time, that still breaks the rule.
        for (int at = 0; at < text.size();) {
            const QString shorter = QString(text).remove(at, 1);
            if (!shorter.isEmpty() && !holds(field, shorter))
                text = shorter;
            else
                ++at;
        }
        QFAIL(qPrintable("%1: '%2'"_s.arg(QLatin1String(FieldNames[int(field)]), text)));
    }
}

// The level typed before the one shown lands where the cursor is, and undo brings the level
// shown back: the edit is not rewritten while the user types.
void tst_ValidatedEdits::theStatusLevelEditKeepsItsCursorAndUndo()
{
    const std::unique_ptr<FieldUnderTest> f = makeField(Field::StatusLevel);
    f->dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(f->dialog.get()));
    QLineEdit *edit = f->open();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, "13"_s);
    QCOMPARE(edit->text(), "132"_s);
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit->text(), "2"_s);
}

// A value cell's editor grows with the text typed, so that its start stays in sight.
void tst_ValidatedEdits::aCellEditorIsAsWideAsItsText()
{
    const std::unique_ptr<FieldUnderTest> f = makeField(Field::ValueCell);
    f->dialog->resize(800, 300);
    f->dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(f->dialog.get()));
    f->table->setColumnWidth(1, f->table->fontMetrics().horizontalAdvance("22"_s) * 2);
    QLineEdit *edit = f->open();
    QVERIFY(edit);
    edit->selectAll();
    type(edit, "dbmtow(20)"_s);
    QVERIFY2(edit->width() > edit->fontMetrics().horizontalAdvance(edit->text()),
             qPrintable("%1 px"_s.arg(edit->width())));
    QVERIFY(edit->width() > f->table->columnWidth(1));
}

void tst_ValidatedEdits::theRefusalForTheHostGoesWithItsNote_data()
{
    QTest::addColumn<Field>("field");
    QTest::newRow("term number, a unit chosen") << Field::TermNumber;
    QTest::newRow("status level, a box ticked") << Field::StatusLevel;
}

// An entry refused as the focus left names its note for the host; whatever clears the note
// clears that too, so that no later OK stops without a note in sight.
void tst_ValidatedEdits::theRefusalForTheHostGoesWithItsNote()
{
    QFETCH(Field, field);
    const std::unique_ptr<FieldUnderTest> f = makeField(field);
    f->dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(f->dialog.get()));
    f->edit->setFocus();
    f->edit->selectAll();
    type(f->edit, "9.5"_s);
    f->dialog->before()->setFocus();
    QVERIFY(!f->note().isEmpty());
    QCOMPARE(f->edit->property("refusedEntry").toString(), f->note());
    if (auto *unit = f->content->findChild<QComboBox *>()) {
        unit->setFocus();
        QTest::keyClick(unit, Qt::Key_Down);
    } else {
        f->content->findChild<QCheckBox *>()->click();
    }
    QCOMPARE(f->note(), QString());
    QCOMPARE(f->edit->property("refusedEntry").toString(), QString());
}

void tst_ValidatedEdits::destroyingATabWhileItsEditHoldsAnEntryIsSafe_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<QString>("typed");

    QTest::newRow("term number, an entry it takes") << Field::TermNumber << "7"_s;
    QTest::newRow("impedance, an entry it refuses") << Field::Impedance << "(75"_s;
    QTest::newRow("status level, an entry it takes") << Field::StatusLevel << "3"_s;
    QTest::newRow("status level, an unfinished entry") << Field::StatusLevel << "-"_s;
    QTest::newRow("value cell, an entry it takes") << Field::ValueCell << "3"_s;
    QTest::newRow("value cell, an entry it refuses") << Field::ValueCell << "1.5x"_s;
}

// The host destroys the tab, its own window: the window going takes the focus from the edit,
// which ends its edit, and that must not reach a tab whose members are gone.
void tst_ValidatedEdits::destroyingATabWhileItsEditHoldsAnEntryIsSafe()
{
    QFETCH(Field, field);
    QFETCH(QString, typed);
    const std::unique_ptr<FieldUnderTest> f = makeField(field);
    QWidget *tab = f->content;
    tab->setParent(nullptr);
    tab->show();
    QApplication::setActiveWindow(tab);
    QVERIFY(QTest::qWaitForWindowActive(tab));
    QLineEdit *edit = f->open();
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    type(edit, typed);
    int emissions = 0;
    const auto count = [&emissions] {
        ++emissions;
    };
    if (auto *term = qobject_cast<TermTabWidget *>(tab))
        connect(term, &TermTabWidget::stateChanged, this, count);
    else if (auto *table = qobject_cast<IndepVarDetailsTableWidget *>(tab))
        connect(table, &IndepVarDetailsTableWidget::valueNoteChanged, this, count);
    else
        connect(qobject_cast<AnalysisParametersTabWidget *>(tab),
                &AnalysisParametersTabWidget::stateChanged, this, count);

    delete tab;

    QCOMPARE(emissions, 0);
}

QTEST_MAIN(tst_ValidatedEdits)
#include "tst_validatededits.moc"
