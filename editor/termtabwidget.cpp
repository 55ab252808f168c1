#include "termtabwidget.h"

#include "childconnections.h"
#include "entryedit.h"
#include "entryrefusal.h"
#include "natorvarvalidator.h"
#include "notelabel.h"
#include "numerictext.h"
#include "units.h"
#include "variablename.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace LoadPullStateUtils;

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

QString termNumberRefusal(const QString &text)
{
    const QString asWhat = TermTabWidget::tr("the term number");
    if (const QString reason = entryRefusal(text); !reason.isEmpty())
        return refusalNote(text, asWhat, reason);
    QString input = text;
    int position = 0;
    if (NatOrVarValidator().validate(input, position) == QValidator::Acceptable)
        return QString();
    return refusalNote(
        text, asWhat,
        TermTabWidget::tr("it is neither a whole number from 1 to 2147483647 nor a variable name"));
}

QString referenceImpedanceRefusal(const QString &text)
{
    const QString reason = entryRefusal(text);
    return reason.isEmpty()
               ? QString()
               : refusalNote(text, TermTabWidget::tr("the reference impedance"), reason);
}

} // namespace

// The unit written after the impedance applies to all of a complex expression only inside
// parentheses; a lone variable name, whatever its letters, needs none.
QString normalizedReferenceImpedance(const QString &text)
{
    const QString trimmed = text.trimmed();
    const bool enclosed = isEnclosedInParentheses(trimmed);
    if (text.contains(QLatin1Char('j'), Qt::CaseInsensitive)) {
        const bool needsParentheses = !enclosed && !isVariableName(trimmed);
        return needsParentheses ? QLatin1Char('(') + text + QLatin1Char(')') : text;
    }
    // Parentheses around a lone number or name are dropped; around an expression they stay,
    // or the unit would apply to its last term alone.
    const QString inner = trimmed.mid(1, trimmed.size() - 2).trimmed();
    const bool lone = isVariableName(inner) || toReal(inner).has_value();
    return enclosed && lone ? inner : text;
}

TermTabWidget::TermTabWidget(QWidget *parent)
    : QWidget(parent)
    , referenceImpedanceEdit(new EntryEdit(referenceImpedanceRefusal))
    , unitBox(new QComboBox)
    , termNumberEdit(new EntryEdit(termNumberRefusal))
    , entryNote(new NoteLabel)
{
    unitBox->addItems(resistanceUnits());
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

void TermTabWidget::makeConnections()
{
    connect(referenceImpedanceEdit, &EntryEdit::entryTaken, this,
            &TermTabWidget::referenceImpedanceChanged);
    // A box without current item hands on the empty text.
    connect(unitBox, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { unitChanged(unitBox->itemText(index)); });
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
    announce();
}

void TermTabWidget::widgetStateChanged()
{
    announce();
}

void TermTabWidget::referenceImpedanceChanged()
{
    termState.setReferenceImpedance(normalizedReferenceImpedance(referenceImpedanceEdit->text()));
    announce();
}

void TermTabWidget::unitChanged(const QString &newUnit)
{
    termState.setUnit(newUnit);
    announce();
}

void TermTabWidget::termNumberChanged()
{
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

// The record keeps its value, and the field shows it again.
void TermTabWidget::refuseEntry(const QString &note)
{
    showState();
    entryNote->setNote(note);
}

// A note speaks of the entry refused last: a change taken or a new record makes it stale.
void TermTabWidget::announce()
{
    entryNote->setNote(QString());
    showState();
    emit stateChanged(termState);
}
