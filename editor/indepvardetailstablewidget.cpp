#include "indepvardetailstablewidget.h"

#include "elidedtext.h"
#include "entryrefusal.h"
#include "entryrules.h"
#include "parameternames.h"
#include "realorvaritemdelegate.h"
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
    ValueColumn,
    UnitColumn,
    MinColumn,
    MaxColumn,
    PointsColumn,
    UnitTypeColumn
};

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
    setObjectName(P::IndepVarName);
    connect(this, &QTableWidget::itemChanged, this,
            &IndepVarDetailsTableWidget::updateIndepVarInfo);
    valueDelegate =
        new RealOrVarItemDelegate(this, [this](const QModelIndex &cell, const QString &text) {
            return cell.row() < tableState.count()
                       ? independentValueEntry(tableState.variableAt(cell.row()), text.trimmed())
                             .refusal
                       : QString();
        });
    connect(valueDelegate, &RealOrVarItemDelegate::entryRefused, this, [this](const QString &note) {
        entryNote = note;
        showNote();
    });
    setItemDelegateForColumn(ValueColumn, valueDelegate);
    resizeRowsToContents();
    resizeColumnsToContents();
}

// A cell in edit hears of the focus going as the view's widgets go, after this table's members:
// without its delegate the editor is neither judged nor committed.
IndepVarDetailsTableWidget::~IndepVarDetailsTableWidget()
{
    delete valueDelegate;
}

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

// Without reset the values of the names that stay are kept, as the editor keeps them, and
// marked where they no longer fit. The table alone knows no stored texts: its only notes are
// those on values.
void IndepVarDetailsTableWidget::variablesFound(const QList<IndepVarInfo> &independentVariables,
                                                bool reset)
{
    IndepVariablesState settings;
    settings.setVariables(independentVariables, true);
    if (!reset)
        settings = tableState;
    const IndepVariablesState shown = VariableSettings::shownFound(independentVariables, settings);
    nameNotes.clear();
    valueNotes.clear();
    otherNotes.clear();
    const QMap<QString, IndepVarInfo> settingsByName = settings.variables();
    for (const IndepVarInfo &info : shown.variables()) {
        const auto setting = settingsByName.constFind(info.name());
        const QString note = VariableSettings::valueNoteText(
            info, setting == settingsByName.cend() ? nullptr : &setting.value());
        if (!note.isEmpty())
            valueNotes.insert(info.name(), note);
    }
    setState(shown);
}

void IndepVarDetailsTableWidget::showEntries(const EntryMap &entries)
{
    if (!takeNotes(entries))
        return;
    refreshTable();
    showNote();
}

bool IndepVarDetailsTableWidget::takeNotes(const EntryMap &entries)
{
    QMap<QString, QString> names, values;
    for (const ComponentEntry &entry : entries.value(P::IndepVarName)) {
        if (!entry.variable.isEmpty() && !entry.note.isEmpty())
            names.insert(entry.variable, entry.note);
    }
    for (const ComponentEntry &entry : entries.value(P::IndepVarValue)) {
        if (!entry.note.isEmpty())
            values.insert(entry.variable, entry.note);
    }
    QStringList others = {entryOf(entries, P::IndepVarName).note};
    const ComponentEntry frequency = entryOf(entries, P::FreqVarName);
    if (!frequency.note.isEmpty()) {
        if (tableState.variables().contains(frequency.shown))
            names.insert(frequency.shown, frequency.note);
        else
            others.prepend(frequency.note);
    }
    others.removeAll(QString());
    const QString other = others.join(QLatin1Char('\n'));
    if (names == nameNotes && values == valueNotes && other == otherNotes)
        return false;
    nameNotes = names;
    valueNotes = values;
    otherNotes = other;
    return true;
}

// The refusal of the last entry comes first, then every note on the rows shown, then those on
// what no row shows.
void IndepVarDetailsTableWidget::showNote()
{
    QStringList lines;
    if (!entryNote.isEmpty())
        lines.append(entryNote);
    for (const IndepVarInfo &info : tableState.variables()) {
        for (const QString &note : {nameNotes.value(info.name()), valueNotes.value(info.name())})
            if (!note.isEmpty())
                lines.append(elidedText(note));
    }
    if (!otherNotes.isEmpty())
        lines.append(otherNotes);
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
    bool taken = false;
    switch (column(theItem)) {
    case ValueColumn: {
        const ValueEntry entry = independentValueEntry(info, text);
        entryNote = entry.refusal;
        // An entry committed as the current cell moved away: the user may be looking elsewhere.
        setProperty(RefusedEntryProperty, entry.refusal);
        taken = entry.refusal.isEmpty();
        if (taken)
            info.setValue(entry.value);
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
    showNote();
    if (taken)
        emit entryTouched(P::IndepVarValue, info.name());
    emit stateChanged();
}

IndepVariablesState IndepVarDetailsTableWidget::state() const
{
    return tableState;
}

void IndepVarDetailsTableWidget::refreshTable()
{
    const QStringList headers = {tr("Name"), tr("Value"),  tr("   Unit   "), tr("Min"),
                                 tr("Max"),  tr("Points"), tr("Unit type")};
    refreshRows(*this, headers, tableState.variables(), {PointsColumn},
                [this](int row, const IndepVarInfo &info) { return fillRow(row, info); });
}

int IndepVarDetailsTableWidget::fillRow(int row, const IndepVarInfo &info)
{
    const SignalBlocker blocker(this);
    const Qt::ItemFlags editable = Qt::ItemIsEditable | Qt::ItemIsEnabled;
    const bool marked = valueNotes.contains(info.name());
    return showText(*this, row, NameColumn, info.name(), Qt::NoItemFlags) |
           showText(*this, row, ValueColumn, info.value(),
                    isFrozen(info, marked) ? Qt::NoItemFlags : editable) |
           showText(*this, row, UnitColumn, info.unit(),
                    info.unit().isEmpty() ? Qt::ItemIsEditable : Qt::NoItemFlags) |
           showText(*this, row, MinColumn, info.minValue().trimmed(), Qt::NoItemFlags) |
           showText(*this, row, MaxColumn, info.maxValue().trimmed(), Qt::NoItemFlags) |
           showText(*this, row, PointsColumn, pointText(info.minNumPoints(), info.maxNumPoints()),
                    Qt::NoItemFlags) |
           showText(*this, row, UnitTypeColumn, info.unitType(), Qt::NoItemFlags) |
           markCell(*this, row, NameColumn, nameNotes.value(info.name())) |
           markCell(*this, row, ValueColumn, valueNotes.value(info.name()));
}
