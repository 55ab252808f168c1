#include "indepvardetailstablewidget.h"

#include "elidedtext.h"
#include "entryrefusal.h"
#include "realorvaritemdelegate.h"
#include "signalblocker.h"
#include "variablename.h"
#include "variabletables.h"

#include <QStringList>

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
// variable name is taken.
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

// The frequency is swept, and a variable with a single point has nothing to choose from. A
// value too long to show whole is kept as it is.
bool isFrozen(const IndepVarInfo &info)
{
    return info.value() == QLatin1String("freq") || info.maxNumPoints() == 1 ||
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

// A note on an entry holds until the next entry or until the rows are replaced.
void IndepVarDetailsTableWidget::setState(const IndepVariablesState &newState)
{
    tableState = newState;
    refreshTable();
    emit valueNoteChanged(QString());
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

void IndepVarDetailsTableWidget::variablesFound(const QList<IndepVarInfo> &independentVariables,
                                                bool reset)
{
    QStringList moved;
    if (reset)
        tableState.setVariables(independentVariables, true);
    else
        moved = tableState.syncVariables(independentVariables);
    refreshTable();
    if (reset)
        emit valueNoteChanged(QString());
    else if (!moved.isEmpty())
        emit valueNoteChanged(
            tr("The listed files no longer reach the value of %1: it now holds their nearest "
               "value.")
                .arg(elidedText(moved.join(QLatin1String(", ")))));
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
    case ValueColumn: {
        const QString note = refusal(info, text);
        if (note.isEmpty())
            info.setValue(text);
        emit valueNoteChanged(note);
        break;
    }
    case UnitColumn:
        info.setUnit(text);
        break;
    default:
        break;
    }
    tableState.addVariable(info, false);
    refreshTable();
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
    return showText(*this, row, NameColumn, info.name(), Qt::NoItemFlags) |
           showText(*this, row, ValueColumn, info.value(),
                    isFrozen(info) ? Qt::NoItemFlags : editable) |
           showText(*this, row, UnitColumn, info.unit(),
                    info.unit().isEmpty() ? Qt::ItemIsEditable : Qt::NoItemFlags) |
           showText(*this, row, MinColumn, info.minValue().trimmed(), Qt::NoItemFlags) |
           showText(*this, row, MaxColumn, info.maxValue().trimmed(), Qt::NoItemFlags) |
           showText(*this, row, PointsColumn, pointText(info.minNumPoints(), info.maxNumPoints()),
                    Qt::NoItemFlags);
}
