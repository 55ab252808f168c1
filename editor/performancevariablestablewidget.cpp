#include "performancevariablestablewidget.h"

#include "enablecheckitemdelegate.h"
#include "signalblocker.h"
#include "variablesettings.h"
#include "variabletables.h"

#include <QStringList>

using namespace LoadPullStateUtils;
using namespace VariableTables;

namespace {

enum Column { NameColumn, MinColumn, MaxColumn, OutputColumn, AutoDisplayColumn };

constexpr Qt::Alignment RightAligned = Qt::AlignRight | Qt::AlignVCenter;

QString nameText(const PerformanceVarInfo &info)
{
    if (info.unit().isEmpty())
        return info.name();
    return info.name() + QStringLiteral(" ( ") + info.unit() + QStringLiteral(" )");
}

} // namespace

PerformanceVariablesTableWidget::PerformanceVariablesTableWidget(QWidget *parent)
    : TableWidget(parent)
{
    VariableTables::setUpTable(*this);
    connect(this, &QTableWidget::itemChanged, this,
            &PerformanceVariablesTableWidget::updatePerformanceVarInfo);
    setItemDelegateForColumn(OutputColumn, new EnableCheckItemDelegate(this));
    setItemDelegateForColumn(AutoDisplayColumn, new EnableCheckItemDelegate(this));
    resizeRowsToContents();
    resizeColumnsToContents();
}

PerformanceVariablesTableWidget::~PerformanceVariablesTableWidget() = default;

void PerformanceVariablesTableWidget::setState(const PerformanceTabState &newState)
{
    tableState = newState;
    refreshTable();
}

void PerformanceVariablesTableWidget::mergeState(const PerformanceTabState &newState, bool uiState)
{
    tableState.mergeState(newState, uiState);
    refreshTable();
}

void PerformanceVariablesTableWidget::mergeState(const PerformanceTabState &newState)
{
    mergeState(newState, false);
}

void PerformanceVariablesTableWidget::variablesFound(
    const QList<PerformanceVarBaseInfo> &performanceVars, bool reset)
{
    if (reset)
        tableState.setVariables(performanceVars);
    else
        tableState = VariableSettings(VariableDetailsTabState(), tableState)
                         .showPerformance(performanceVars, false);
    refreshTable();
}

void PerformanceVariablesTableWidget::setOutputAll(bool output)
{
    tableState.setOutputAll(output);
    refreshTable();
}

void PerformanceVariablesTableWidget::setDisplayAll(bool display)
{
    tableState.setDisplayAll(display);
    refreshTable();
}

// Nothing is displayed that is not output: output off takes auto-display off, and
// auto-display on takes output on.
void PerformanceVariablesTableWidget::updatePerformanceVarInfo(QTableWidgetItem *theItem)
{
    const int itemRow = row(theItem);
    if (itemRow < 0 || itemRow >= tableState.count())
        return;
    const bool checked = theItem->checkState() == Qt::Checked;
    PerformanceVarInfo info = tableState.variableAt(itemRow);
    switch (column(theItem)) {
    case OutputColumn:
        info.setOutput(checked);
        info.setAutoPlot(info.autoPlot() && checked);
        break;
    case AutoDisplayColumn:
        info.setAutoPlot(checked);
        info.setOutput(info.output() || checked);
        break;
    default:
        break;
    }
    tableState.addVariable(info);
    fillRow(itemRow);
    emit stateChanged();
}

PerformanceTabState PerformanceVariablesTableWidget::state() const
{
    return tableState;
}

bool PerformanceVariablesTableWidget::outputAll() const
{
    return tableState.outputAll();
}

bool PerformanceVariablesTableWidget::displayAll() const
{
    return tableState.displayAll();
}

void PerformanceVariablesTableWidget::refreshTable()
{
    const QStringList headers = {tr("Name"), tr("Min"), tr("Max"), tr("Output"),
                                 tr("Auto Display\nin GRF")};
    refreshRows(*this, headers, tableState.variables(), {},
                [this](int row, const PerformanceVarInfo &info) { return fillRow(row, info); });
}

void PerformanceVariablesTableWidget::fillRow(int row)
{
    fillRow(row, tableState.variableAt(row));
}

int PerformanceVariablesTableWidget::fillRow(int row, const PerformanceVarInfo &info)
{
    const SignalBlocker blocker(this);
    showCheck(row, OutputColumn, info.output());
    showCheck(row, AutoDisplayColumn, info.autoPlot());
    return showText(*this, row, NameColumn, nameText(info), Qt::NoItemFlags) |
           showText(*this, row, MinColumn, info.minValue(), Qt::NoItemFlags, RightAligned) |
           showText(*this, row, MaxColumn, info.maxValue(), Qt::NoItemFlags, RightAligned);
}

void PerformanceVariablesTableWidget::showCheck(int row, int column, bool checked)
{
    const Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
    const Qt::CheckState state = checked ? Qt::Checked : Qt::Unchecked;
    QTableWidgetItem *cell = item(row, column);
    if (!cell) {
        cell = newItem(QString(), flags, RightAligned);
        cell->setCheckState(state);
        setItem(row, column, cell);
        return;
    }
    if (cell->flags() != flags)
        cell->setFlags(flags);
    if (cell->checkState() != state)
        cell->setCheckState(state);
}
