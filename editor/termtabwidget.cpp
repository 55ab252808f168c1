#include "termtabwidget.h"

#include "childconnections.h"
#include "entryedit.h"
#include "entryrefusal.h"
#include "entryrules.h"
#include "notelabel.h"
#include "parameternames.h"
#include "units.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace LoadPullStateUtils;
namespace P = ParameterNames;

namespace {

// True when the "(" that opens the text is closed by the ")" that ends it, so that
// "(50)*(2)" is not taken for one enclosed value.
bool isEnclosedInParentheses(const QString &text)
{
    if (!text.startsWith(QLatin1Char('(')) || !text.endsWith(QLatin1Char(')')))
        return false;
    int depth = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('('))
            ++depth;
        else if (text.at(i) == QLatin1Char(')') && --depth == 0)
            return i == text.size() - 1;
    }
    return false;
}

// A sign after a number's "e" belongs to its exponent.
bool isExponentSign(const QString &text, int at)
{
    return at >= 2 &&
           (text.at(at - 1) == QLatin1Char('e') || text.at(at - 1) == QLatin1Char('E')) &&
           (text.at(at - 2).isDigit() || text.at(at - 2) == QLatin1Char('.'));
}

// A "+" or "-" outside parentheses that follows an operand: the unit written after the text
// would apply to its last term alone.
bool isSum(const QString &text)
{
    static const QString operands = QStringLiteral("+-*/^(");
    int depth = 0;
    QChar previous;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if ((c == QLatin1Char('+') || c == QLatin1Char('-')) && depth == 0 &&
                 !previous.isNull() && !operands.contains(previous) && !isExponentSign(text, i))
            return true;
        if (!c.isSpace())
            previous = c;
    }
    return false;
}

bool hasUnit(const QString &unit)
{
    return !unit.isEmpty() && unit != QLatin1String("None");
}

QString referenceImpedanceRefusalNote(const QString &text)
{
    return refusalNote(text, TermTabWidget::tr("the reference impedance"),
                       referenceImpedanceRefusal(text));
}

QString termNumberRefusalNote(const QString &text)
{
    return refusalNote(text, TermTabWidget::tr("the term number"), termNumberRefusal(text));
}

} // namespace

QString referenceImpedanceForUnit(const QString &text, const QString &unit)
{
    const QString trimmed = text.trimmed();
    if (!hasUnit(unit) || isEnclosedInParentheses(trimmed) || !isSum(trimmed))
        return text;
    return QLatin1Char('(') + trimmed + QLatin1Char(')');
}

TermTabWidget::TermTabWidget(QWidget *parent)
    : QWidget(parent)
    , referenceImpedanceEdit(new EntryEdit(referenceImpedanceRefusalNote))
    , unitBox(new QComboBox)
    , termNumberEdit(new EntryEdit(termNumberRefusalNote))
    , entryNote(new NoteLabel)
{
    unitBox->addItems(resistanceUnits());
    termNumberEdit->setObjectName(P::NUM);
    referenceImpedanceEdit->setObjectName(P::Z);
    unitBox->setObjectName(P::Z + QLatin1String(" unit"));
    makeLayout();
    makeConnections();
}

TermTabWidget::~TermTabWidget()
{
    disconnectChildrenFrom(this);
}

// The grid keeps its natural size in the top left corner; its row 0 stays empty.
void TermTabWidget::makeLayout()
{
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Term number:")), 1, 0, Qt::AlignLeft);
    grid->addWidget(termNumberEdit, 1, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(tr("Reference impedance:")), 2, 0, Qt::AlignLeft);
    grid->addWidget(referenceImpedanceEdit, 2, 1, Qt::AlignCenter);
    grid->addWidget(unitBox, 2, 2, Qt::AlignLeft);

    auto *row = new QHBoxLayout;
    row->addLayout(grid);
    row->addStretch(1);
    auto *layout = new QVBoxLayout;
    layout->addLayout(row);
    layout->addWidget(entryNote);
    layout->addStretch(1);
    setLayout(layout);
}

// A taken entry touches its parameter before the record announces it.
void TermTabWidget::makeConnections()
{
    connect(referenceImpedanceEdit, &EntryEdit::entryTaken, this,
            [this] { emit entryTouched(P::Z, QString()); });
    connect(referenceImpedanceEdit, &EntryEdit::entryTaken, this,
            &TermTabWidget::referenceImpedanceChanged);
    // A box without current item hands on the empty text.
    connect(unitBox, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { unitChanged(unitBox->itemText(index)); });
    connect(unitBox, qOverload<int>(&QComboBox::activated), this, [this] {
        clearEntryNote();
        emit entryTouched(P::Z, QString());
        if (encloseSumForUnit() || refuseUnitWithoutImpedance())
            announce();
        else
            showNote();
    });
    connect(termNumberEdit, &EntryEdit::entryTaken, this,
            [this] { emit entryTouched(P::NUM, QString()); });
    connect(termNumberEdit, &EntryEdit::entryTaken, this, &TermTabWidget::termNumberChanged);
    for (EntryEdit *edit : {referenceImpedanceEdit, termNumberEdit})
        connect(edit, &EntryEdit::entryRefused, this, &TermTabWidget::refuseEntry);
}

TermTabState TermTabWidget::state() const
{
    return termState;
}

void TermTabWidget::setState(const TermTabState &termTabState)
{
    termState = termTabState;
    clearEntryNote();
    announce();
}

void TermTabWidget::widgetStateChanged()
{
    announce();
}

void TermTabWidget::referenceImpedanceChanged()
{
    clearEntryNote();
    termState.setReferenceImpedance(referenceImpedanceEdit->text());
    encloseSumForUnit();
    announce();
}

void TermTabWidget::unitChanged(const QString &newUnit)
{
    termState.setUnit(newUnit);
    announce();
}

// Only an entry or a unit the user gives changes the impedance: a stored sum with a unit after
// it stays as the component has it. Gives whether it enclosed the impedance.
bool TermTabWidget::encloseSumForUnit()
{
    const QString impedance = termState.referenceImpedance();
    const QString enclosed = referenceImpedanceForUnit(impedance, termState.unit());
    if (enclosed == impedance)
        return false;
    termState.setReferenceImpedance(enclosed);
    lastEntryNote = tr("The reference impedance is a sum: it is enclosed in parentheses, so that "
                       "the unit %1 applies to all of it.")
                        .arg(termState.unit());
    return true;
}

// A unit needs an impedance to follow: written after none, it would read back as one.
bool TermTabWidget::refuseUnitWithoutImpedance()
{
    if (!termState.referenceImpedance().trimmed().isEmpty() ||
        resistanceUnits().indexOf(termState.unit()) <= 0)
        return false;
    termState.setUnit(resistanceUnits().first());
    lastEntryNote = tr("A unit was not taken: there is no reference impedance for it to follow.");
    return true;
}

void TermTabWidget::termNumberChanged()
{
    clearEntryNote();
    termState.setTermNumber(termNumberEdit->text());
    announce();
}

// Moving the unit box runs unitChanged, which announces the record on its own.
void TermTabWidget::showState()
{
    referenceImpedanceEdit->setText(termState.referenceImpedance());
    unitBox->setCurrentIndex(resistanceUnits().indexOf(termState.unit()));
    termNumberEdit->setText(termState.termNumber());
}

// The note on the last entry goes, and with it the refusal the host may read.
void TermTabWidget::clearEntryNote()
{
    lastEntryNote.clear();
    termNumberEdit->clearRefusal();
    referenceImpedanceEdit->clearRefusal();
}

// The record keeps its value, and the field shows it again.
void TermTabWidget::refuseEntry(const QString &note)
{
    showState();
    lastEntryNote = note;
    showNote();
}

void TermTabWidget::showEntries(const EntryMap &entries)
{
    termNumberEdit->setMark(entryOf(entries, P::NUM).note);
    referenceImpedanceEdit->setMark(entryOf(entries, P::Z).note);
    showNote();
}

void TermTabWidget::showNote()
{
    QStringList lines = {lastEntryNote, termNumberEdit->mark(), referenceImpedanceEdit->mark()};
    lines.removeAll(QString());
    entryNote->setNote(lines.join(QLatin1Char('\n')));
}

void TermTabWidget::announce()
{
    showState();
    showNote();
    emit stateChanged(termState);
}
