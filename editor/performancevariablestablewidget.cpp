#include "performancevariablestablewidget.h"

#include "enablecheckitemdelegate.h"
#include "enumerations.h"
#include "parameternames.h"
#include "parametertexts.h"
#include "signalblocker.h"
#include "variablesettings.h"
#include "variabletables.h"

#include <QEvent>
#include <QHeaderView>
#include <QStringList>

using namespace LoadPullStateUtils;
using namespace VariableTables;
namespace P = ParameterNames;

namespace {

enum Column { NameColumn, MinColumn, MaxColumn, OutputColumn, AutoDisplayColumn, TypeColumn };

constexpr Qt::Alignment RightAligned = Qt::AlignRight | Qt::AlignVCenter;

QString checkKey(const QString &parameter, const QString &name)
{
    return parameter + QLatin1Char('\n') + name;
}

QString nameText(const PerformanceVarInfo &info)
{
    if (isUnitless(info.unit()))
        return info.name();
    return info.name() + QStringLiteral(" ( ") + info.unit() + QStringLiteral(" )");
}

} // namespace

PerformanceVariablesTableWidget::PerformanceVariablesTableWidget(QWidget *parent)
    : TableWidget(parent)
{
    VariableTables::setUpTable(*this);
    setObjectName(P::PrfmParamName);
    connect(this, &QTableWidget::itemChanged, this,
            &PerformanceVariablesTableWidget::updatePerformanceVarInfo);
    setItemDelegateForColumn(OutputColumn, new EnableCheckItemDelegate(this));
    setItemDelegateForColumn(AutoDisplayColumn, new EnableCheckItemDelegate(this));
    // Set apart before the first rows come, so that they are not measured for it.
    setColumnCount(TypeColumn + 1);
    horizontalHeader()->setSectionResizeMode(TypeColumn, QHeaderView::Fixed);
    resizeRowsToContents();
    resizeColumnsToContents();
}

PerformanceVariablesTableWidget::~PerformanceVariablesTableWidget() = default;

void PerformanceVariablesTableWidget::setState(const PerformanceTabState &newState)
{
    tableState = newState;
    refreshTable();
    showNotes();
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

// Without reset the choices of the names that stay are kept, as the editor keeps them. The
// marks stay the model's.
void PerformanceVariablesTableWidget::variablesFound(
    const QList<PerformanceVarBaseInfo> &performanceVars, bool reset)
{
    PerformanceTabState settings = tableState;
    if (reset)
        settings.setVariables(performanceVars);
    setState(VariableSettings::shownFound(performanceVars, settings));
}

void PerformanceVariablesTableWidget::showEntries(const EntryMap &entries)
{
    if (!takeNotes(entries))
        return;
    refreshTable();
    showNotes();
}

bool PerformanceVariablesTableWidget::takeNotes(const EntryMap &entries)
{
    QMap<QString, QString> notes;
    QSet<QString> kept;
    QMap<QString, QString> types;
    for (const ComponentEntry &entry : entries.value(P::PrfmParamName)) {
        if (!entry.variable.isEmpty() && !entry.note.isEmpty())
            notes.insert(entry.variable, entry.note);
    }
    for (const ComponentEntry &entry : entries.value(P::PrfmParamType))
        types.insert(entry.variable, entry.shown);
    for (const QString &parameter : {P::PrfmParamOutput, P::PrfmParamAutoPlot}) {
        for (const ComponentEntry &entry : entries.value(parameter)) {
            if (entry.kept) {
                kept.insert(checkKey(parameter, entry.variable));
                notes[entry.variable] +=
                    (notes.contains(entry.variable) ? QStringLiteral("; ") : QString()) +
                    entry.variable + QLatin1String(": ") + entry.note;
            }
        }
    }
    const QString others = entryOf(entries, P::PrfmParamName).note;
    if (notes == rowNotes && kept == keptChecks && types == typeTexts && others == otherNotes)
        return false;
    rowNotes = notes;
    keptChecks = kept;
    typeTexts = types;
    otherNotes = others;
    return true;
}

void PerformanceVariablesTableWidget::showNotes()
{
    emit notesChanged(VariableTables::notesText(tableState.variables(), rowNotes, otherNotes));
}

// Every box of the column shows its choice from now on.
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
    QString touched;
    switch (column(theItem)) {
    case OutputColumn:
        info.setOutput(checked);
        info.setAutoPlot(info.autoPlot() && checked);
        touched = P::PrfmParamOutput;
        break;
    case AutoDisplayColumn:
        info.setAutoPlot(checked);
        info.setOutput(info.output() || checked);
        touched = P::PrfmParamAutoPlot;
        break;
    default:
        break;
    }
    tableState.addVariable(info);
    fillRow(itemRow);
    if (!touched.isEmpty())
        emit entryTouched(touched, info.name());
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
    const QStringList headers = {
        tr("Name"), tr("Min"), tr("Max"), tr("Output"), tr("Auto Display\nin GRF"), tr("Type")};
    refreshRows(*this, headers, tableState.variables(), {},
                [this](int row, const PerformanceVarInfo &info) { return fillRow(row, info); });
    fitTypeColumn();
}

void PerformanceVariablesTableWidget::fitTypeColumn()
{
    // Each text once: thousands of quantities share a few.
    QStringList texts{valueTypeText(false), valueTypeText(true)};
    for (const QString &text : qAsConst(typeTexts))
        if (!texts.contains(text))
            texts.append(text);
    fixColumnWidth(*this, TypeColumn, texts);
}

// The host's dialog may give the table another font than the one it was filled with.
void PerformanceVariablesTableWidget::changeEvent(QEvent *event)
{
    TableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitTypeColumn();
}

void PerformanceVariablesTableWidget::fillRow(int row)
{
    fillRow(row, tableState.variableAt(row));
}

int PerformanceVariablesTableWidget::fillRow(int row, const PerformanceVarInfo &info)
{
    const SignalBlocker blocker(this);
    const auto checkState = [this, &info](const QString &parameter, bool checked) {
        if (!keptChecks.isEmpty() && keptChecks.contains(checkKey(parameter, info.name())))
            return Qt::PartiallyChecked;
        return checked ? Qt::Checked : Qt::Unchecked;
    };
    showCheck(row, OutputColumn, checkState(P::PrfmParamOutput, info.output()));
    showCheck(row, AutoDisplayColumn, checkState(P::PrfmParamAutoPlot, info.autoPlot()));
    return showText(*this, row, NameColumn, nameText(info), Qt::NoItemFlags) |
           showText(*this, row, MinColumn, info.minValue(), Qt::NoItemFlags, RightAligned) |
           showText(*this, row, MaxColumn, info.maxValue(), Qt::NoItemFlags, RightAligned) |
           showText(*this, row, TypeColumn,
                    typeTexts.value(info.name(), valueTypeText(info.isComplex())),
                    Qt::NoItemFlags) |
           markCell(*this, row, NameColumn, rowNotes.value(info.name()));
}

void PerformanceVariablesTableWidget::showCheck(int row, int column, Qt::CheckState state)
{
    const Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
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
