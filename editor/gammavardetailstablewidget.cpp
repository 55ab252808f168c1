#include "gammavardetailstablewidget.h"

#include "enumerations.h"
#include "natorvaritemdelegate.h"
#include "parameternames.h"
#include "pulldownitemdelegate.h"
#include "signalblocker.h"
#include "variablesettings.h"
#include "variabletables.h"

#include <QStringList>

using namespace LoadPullStateUtils;
using namespace VariableTables;
namespace P = ParameterNames;

namespace {

enum Column {
    NameColumn,
    TypeColumn,
    HarmColumn,
    DomainColumn,
    MinColumn,
    MaxColumn,
    PointsColumn,
    ValueColumn
};

} // namespace

GammaVarDetailsTableWidget::GammaVarDetailsTableWidget(QWidget *parent)
    : TableWidget(parent)
{
    VariableTables::setUpTable(*this);
    setObjectName(P::GammaName);
    connect(this, &QTableWidget::itemChanged, this,
            &GammaVarDetailsTableWidget::updateGammaVarInfo);
    setItemDelegateForColumn(TypeColumn, new PullDownItemDelegate({toText(LoadGamma)}, this));
    setItemDelegateForColumn(HarmColumn, new NatOrVarItemDelegate(this));
    setItemDelegateForColumn(DomainColumn, new PullDownItemDelegate(texts<GammaDomain>(), this));
    resizeRowsToContents();
    resizeColumnsToContents();
}

GammaVarDetailsTableWidget::~GammaVarDetailsTableWidget() = default;

void GammaVarDetailsTableWidget::setState(const GammasState &newState)
{
    tableState = newState;
    refreshTable();
    showNotes();
}

void GammaVarDetailsTableWidget::mergeState(const GammasState &newState, bool uiState)
{
    tableState.mergeState(newState, uiState);
    refreshTable();
}

void GammaVarDetailsTableWidget::mergeState(const GammasState &newState)
{
    mergeState(newState, false);
}

// Without reset the values of the names that stay are kept, as the editor keeps them.
void GammaVarDetailsTableWidget::variablesFound(const QList<GammaVarInfo> &gammaVars, bool reset)
{
    GammasState settings;
    settings.setVariables(gammaVars);
    setState(VariableSettings::shownFound(gammaVars, reset ? settings : tableState));
}

void GammaVarDetailsTableWidget::showEntries(const EntryMap &entries)
{
    if (!takeNotes(entries))
        return;
    refreshTable();
    showNotes();
}

bool GammaVarDetailsTableWidget::takeNotes(const EntryMap &entries)
{
    QMap<QString, QString> notes;
    for (const ComponentEntry &entry : entries.value(P::GammaName)) {
        if (!entry.variable.isEmpty() && !entry.note.isEmpty())
            notes.insert(entry.variable, entry.note);
    }
    const QString others = entryOf(entries, P::GammaName).note;
    if (notes == rowNotes && others == otherNotes)
        return false;
    rowNotes = notes;
    otherNotes = others;
    return true;
}

void GammaVarDetailsTableWidget::showNotes()
{
    emit notesChanged(VariableTables::notesText(tableState.variables(), rowNotes, otherNotes));
}

void GammaVarDetailsTableWidget::updateGammaVarInfo(QTableWidgetItem *theItem)
{
    const int itemRow = row(theItem);
    if (itemRow < 0 || itemRow >= tableState.count())
        return;
    const QString text = theItem->text().trimmed();
    GammaVarInfo info = tableState.variableAt(itemRow);
    switch (column(theItem)) {
    case TypeColumn:
        info.setType(text);
        break;
    case HarmColumn:
        if (!text.isEmpty())
            info.setHarmIndex(text);
        break;
    case DomainColumn:
        info.setDomain(text);
        break;
    default:
        break;
    }
    tableState.addVariable(info);
    fillRow(itemRow);
    emit stateChanged();
}

GammasState GammaVarDetailsTableWidget::state() const
{
    return tableState;
}

void GammaVarDetailsTableWidget::refreshTable()
{
    const QStringList headers = {tr("Name"), tr("Type"), tr("Harm"),   tr("   Domain  "),
                                 tr("Min"),  tr("Max"),  tr("Points"), tr("Value")};
    refreshRows(*this, headers, tableState.variables(), {PointsColumn},
                [this](int row, const GammaVarInfo &info) { return fillRow(row, info); });
}

void GammaVarDetailsTableWidget::fillRow(int row)
{
    fillRow(row, tableState.variableAt(row));
}

int GammaVarDetailsTableWidget::fillRow(int row, const GammaVarInfo &info)
{
    const SignalBlocker blocker(this);
    return showText(*this, row, NameColumn, info.name(), Qt::NoItemFlags) |
           showText(*this, row, TypeColumn, info.type(), Qt::NoItemFlags) |
           showText(*this, row, HarmColumn, info.harmIndex(), Qt::NoItemFlags) |
           showText(*this, row, DomainColumn, info.domain(), Qt::NoItemFlags) |
           showText(*this, row, MinColumn, info.minValue(), Qt::NoItemFlags) |
           showText(*this, row, MaxColumn, info.maxValue(), Qt::NoItemFlags) |
           showText(*this, row, PointsColumn, pointText(info.minNumPoints(), info.maxNumPoints()),
                    Qt::NoItemFlags) |
           showText(*this, row, ValueColumn, info.value(), Qt::NoItemFlags) |
           markCell(*this, row, NameColumn, rowNotes.value(info.name()));
}
