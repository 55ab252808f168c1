#pragma once

#include "indepvariablesstate.h"
#include "tablewidget.h"
#include "variablesettings.h"

#include <QList>

class QTableWidgetItem;

// The independent variables of the data files, one row each in name order, where the user
// sets the value at which each is held. The record is the truth; the cells only show it.
class IndepVarDetailsTableWidget final : public TableWidget
{
    Q_OBJECT

public:
    explicit IndepVarDetailsTableWidget(QWidget *parent = nullptr);
    ~IndepVarDetailsTableWidget() override;

    // Marks the values that do not fit the data files simply, and says why in the note.
    void setValueNotes(const QMap<QString, LoadPullStateUtils::ValueNote> &notes);

signals:
    void stateChanged();
    // What the note under the table says: why the value last entered was refused, and why
    // marked values show as they do; the empty text when there is nothing to say.
    void valueNoteChanged(const QString &note);

public slots:
    void setState(const LoadPullStateUtils::IndepVariablesState &newState);
    void mergeState(const LoadPullStateUtils::IndepVariablesState &newState, bool uiState);
    void mergeState(const LoadPullStateUtils::IndepVariablesState &newState);
    void variablesFound(const QList<LoadPullStateUtils::IndepVarInfo> &independentVariables,
                        bool reset);
    void updateIndepVarInfo(QTableWidgetItem *theItem);
    void unitChoiceChanged(int row, int col, const QString &choice);
    LoadPullStateUtils::IndepVariablesState state() const;

private:
    void refreshTable();
    // The columns whose texts changed, one bit each.
    int fillRow(int row, const LoadPullStateUtils::IndepVarInfo &info);
    void markValue(int row, const LoadPullStateUtils::IndepVarInfo &info);
    void showNote();

    LoadPullStateUtils::IndepVariablesState tableState;
    QMap<QString, LoadPullStateUtils::ValueNote> valueNotes;
    // Why the value last entered was refused; it holds until the next entry or until the rows
    // are replaced.
    QString entryNote;
};
