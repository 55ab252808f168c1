#include "indepvardetailstablewidget.h"

#include "elidedtext.h"
#include "entryrefusal.h"
#include "realorvaritemdelegate.h"
#include "signalblocker.h"
#include "variablename.h"
#include "variabletables.h"

#include <QStringList>
#include <QStyle>

using namespace LoadPullStateUtils;
using namespace VariableTables;

namespace {

enum Column { NameColumn, ValueColumn, UnitColumn, MinColumn, MaxColumn, PointsColumn };

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Why an entry is not taken as the variable's value; the empty text when it is taken. A number
// must lie within a numeric range; where the number or the range is not numeric, only a design
// variable name is taken. Without a range, as for a variable of a file that cannot be read,
// a number or a name is taken.
QString refusal(const IndepVarInfo &info, const QString &text)
{
    if (const QString reason = entryRefusal(text); !reason.isEmpty())
        return IndepVarDetailsTableWidget::tr("%1 was not taken for %2: %3.")
            .arg(quoted(text), info.name(), reason);
    bool isNumber = false;
    bool hasMin = false;
    bool hasMax = false;
    const double number = text.toDouble(&isNumber);
    const double minimum = info.minValue().toDouble(&hasMin);
    const double maximum = info.maxValue().toDouble(&hasMax);
    if (info.minValue().isEmpty() && info.maxValue().isEmpty() &&
        (isNumber || isVariableName(text)))
        return QString();
    if (isNumber && hasMin && hasMax) {
        if (minimum <= number && number <= maximum)
            return QString();
        return IndepVarDetailsTableWidget::tr(
                   "%1 was not taken for %2: it lies outside the data's range, %3 to %4.")
            .arg(quoted(text), info.name(), info.minValue().trimmed(), info.maxValue().trimmed());
    }
    if (isVariableName(text))
        return QString();
    if (hasMin && hasMax)
        return IndepVarDetailsTableWidget::tr(
                   "%1 was not taken for %2: it is neither a number nor a variable name.")
            .arg(quoted(text), info.name());
    return IndepVarDetailsTableWidget::tr("%1 was not taken for %2: the data's range, %3 to %4, "
                                          "is not numeric, so only a variable name is taken.")
        .arg(quoted(text), info.name(), info.minValue().trimmed(), info.maxValue().trimmed());
}

// What a marked value's note says.
QString noteText(const IndepVarInfo &info, ValueNote note)
{
    const QString value = quoted(info.value());
    const QString name = info.name();
    switch (note) {
    case ValueNote::OutsideRange:
        return IndepVarDetailsTableWidget::tr(
                   "%1: %2 lies outside the data's range, %3 to %4; it is kept as set.")
            .arg(name, value, info.minValue().trimmed(), info.maxValue().trimmed());
    case ValueNote::OtherUnit:
        return IndepVarDetailsTableWidget::tr(
                   "%1: %2 is not in the data's unit, %3; it is kept as written.")
            .arg(name, value, info.unit());
    case ValueNote::NoUnit:
        return IndepVarDetailsTableWidget::tr(
                   "%1: %2 has no unit, where the data's unit is %3; it is kept as written, "
                   "and the simulator reads it without a unit.")
            .arg(name, value, info.unit());
    case ValueNote::NotAValue:
        return IndepVarDetailsTableWidget::tr("%1: %2 is not a number or a variable name the "
                                              "editor can check; it is kept as written.")
            .arg(name, value);
    case ValueNote::NotTheFrequency:
        return IndepVarDetailsTableWidget::tr(
                   "%1 is named as the frequency variable, but the data files sweep another "
                   "variable as frequency; the name is kept as written.")
            .arg(name);
    case ValueNote::None:
        break;
    }
    return QString();
}

// The frequency is swept, and a variable with a single point has nothing to choose from,
// unless its value does not fit that point. A value too long to show whole is kept as it is.
bool isFrozen(const IndepVarInfo &info, bool marked)
{
    return info.value() == QLatin1String("freq") || (info.maxNumPoints() == 1 && !marked) ||
           info.value().size() > MaxShownTextLength;
}

} // namespace

IndepVarDetailsTableWidget::IndepVarDetailsTableWidget(QWidget *parent)
    : TableWidget(parent)
{
    VariableTables::setUpTable(*this);
    connect(this, &QTableWidget::itemChanged, this,
            &IndepVarDetailsTableWidget::updateIndepVarInfo);
    setItemDelegateForColumn(ValueColumn, new RealOrVarItemDelegate(this));
    resizeRowsToContents();
    resizeColumnsToContents();
}

IndepVarDetailsTableWidget::~IndepVarDetailsTableWidget() = default;

void IndepVarDetailsTableWidget::setState(const IndepVariablesState &newState)
{
    tableState = newState;
    entryNote.clear();
    refreshTable();
    showNote();
}

void IndepVarDetailsTableWidget::mergeState(const IndepVariablesState &newState, bool uiState)
{
    tableState.mergeState(newState, uiState);
    refreshTable();
}

void IndepVarDetailsTableWidget::mergeState(const IndepVariablesState &newState)
{
    mergeState(newState, false);
}

// Without reset the values of the names that stay are kept, as the editor keeps them.
void IndepVarDetailsTableWidget::variablesFound(const QList<IndepVarInfo> &independentVariables,
                                                bool reset)
{
    IndepVariablesState found;
    if (reset) {
        found.setVariables(independentVariables, true);
        valueNotes.clear();
    } else {
        VariableDetailsTabState current;
        current.setIndependentVariables(tableState);
        VariableSettings settings(current, PerformanceTabState());
        found = settings.showDetails(independentVariables, {}, false).independentVariables();
        valueNotes = settings.valueNotes();
    }
    setState(found);
}

void IndepVarDetailsTableWidget::setValueNotes(const QMap<QString, ValueNote> &notes)
{
    if (notes == valueNotes)
        return;
    valueNotes = notes;
    int row = 0;
    for (const IndepVarInfo &info : tableState.variables())
        fillRow(row++, info);
    showNote();
}

// Every marked value of the rows shown is listed, after the refusal of the last entry.
void IndepVarDetailsTableWidget::showNote()
{
    QStringList lines;
    if (!entryNote.isEmpty())
        lines.append(entryNote);
    for (const IndepVarInfo &info : tableState.variables()) {
        const ValueNote note = valueNotes.value(info.name(), ValueNote::None);
        if (note != ValueNote::None)
            lines.append(elidedText(noteText(info, note)));
    }
    emit valueNoteChanged(elidedLines(lines.join(QLatin1Char('\n'))));
}

// A refused entry still refreshes and announces, so the cell falls back to the stored value,
// and the note says why it was refused.
void IndepVarDetailsTableWidget::updateIndepVarInfo(QTableWidgetItem *theItem)
{
    const int itemRow = row(theItem);
    if (itemRow < 0 || itemRow >= tableState.count())
        return;
    const QString text = theItem->text().trimmed();
    // Row i shows the i-th record; its name cell may show the name elided.
    IndepVarInfo info = tableState.variableAt(itemRow);
    switch (column(theItem)) {
    case ValueColumn:
        entryNote = refusal(info, text);
        if (entryNote.isEmpty())
            info.setValue(text);
        break;
    case UnitColumn:
        info.setUnit(text);
        break;
    default:
        break;
    }
    tableState.addVariable(info, false);
    refreshTable();
    showNote();
    emit stateChanged();
}

void IndepVarDetailsTableWidget::unitChoiceChanged(int row, int /*col*/, const QString &choice)
{
    IndepVarInfo info = tableState.variableAt(row);
    info.setUnit(choice);
    tableState.addVariable(info, false);
}

IndepVariablesState IndepVarDetailsTableWidget::state() const
{
    return tableState;
}

void IndepVarDetailsTableWidget::refreshTable()
{
    const QStringList headers = {tr("Name"), tr("Value"), tr("   Unit   "),
                                 tr("Min"),  tr("Max"),   tr("Points")};
    refreshRows(*this, headers, tableState.variables(), {PointsColumn},
                [this](int row, const IndepVarInfo &info) { return fillRow(row, info); });
}

int IndepVarDetailsTableWidget::fillRow(int row, const IndepVarInfo &info)
{
    const SignalBlocker blocker(this);
    const Qt::ItemFlags editable = Qt::ItemIsEditable | Qt::ItemIsEnabled;
    const bool marked = valueNotes.contains(info.name());
    const int changed =
        showText(*this, row, NameColumn, info.name(), Qt::NoItemFlags) |
        showText(*this, row, ValueColumn, info.value(),
                 isFrozen(info, marked) ? Qt::NoItemFlags : editable) |
        showText(*this, row, UnitColumn, info.unit(),
                 info.unit().isEmpty() ? Qt::ItemIsEditable : Qt::NoItemFlags) |
        showText(*this, row, MinColumn, info.minValue().trimmed(), Qt::NoItemFlags) |
        showText(*this, row, MaxColumn, info.maxValue().trimmed(), Qt::NoItemFlags) |
        showText(*this, row, PointsColumn, pointText(info.minNumPoints(), info.maxNumPoints()),
                 Qt::NoItemFlags);
    markValue(row, info);
    return changed;
}

// A marked value carries a warning sign, and its note as the tooltip.
void IndepVarDetailsTableWidget::markValue(int row, const IndepVarInfo &info)
{
    QTableWidgetItem *cell = item(row, ValueColumn);
    const ValueNote note = valueNotes.value(info.name(), ValueNote::None);
    const QString tip = note == ValueNote::None ? QString() : elidedText(noteText(info, note));
    if (cell->toolTip() == tip)
        return;
    cell->setToolTip(tip);
    cell->setIcon(tip.isEmpty() ? QIcon() : style()->standardIcon(QStyle::SP_MessageBoxWarning));
}
