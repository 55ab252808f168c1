#pragma once

#include "componententry.h"
#include "indepvariablesstate.h"
#include "tablewidget.h"

#include <QList>
#include <QMap>

class EntryItemDelegate;
class QTableWidgetItem;

// The independent variables of the data files, one row each in name order, where the user
// sets the value at which each is held. The record is the truth; the cells only show it.
class IndepVarDetailsTableWidget final : public TableWidget
{
    Q_OBJECT

public:
    explicit IndepVarDetailsTableWidget(QWidget *parent = nullptr);
    ~IndepVarDetailsTableWidget() override;

    // Marks the rows whose entries carry a note (a value that does not fit the data files
    // simply, a variable held or declared otherwise by the component) and lists the notes
    // below the table, with those on variables the component names that no row shows.
    void showEntries(const LoadPullStateUtils::EntryMap &entries);

signals:
    void stateChanged();
    // What the note under the table says: why the value last entered was refused, and the
    // notes on the rows and on what no row shows; the empty text when there is nothing to say.
    void valueNoteChanged(const QString &note);
    // The user ended an edit of a value cell with an entry that was taken.
    void entryTouched(const QString &parameter, const QString &variable);

public slots:
    void setState(const LoadPullStateUtils::IndepVariablesState &newState);
    void mergeState(const LoadPullStateUtils::IndepVariablesState &newState, bool uiState);
    void mergeState(const LoadPullStateUtils::IndepVariablesState &newState);
    void variablesFound(const QList<LoadPullStateUtils::IndepVarInfo> &independentVariables,
                        bool reset);
    void updateIndepVarInfo(QTableWidgetItem *theItem);
    LoadPullStateUtils::IndepVariablesState state() const;

private:
    // Keeps the notes of the entries; gives whether they changed.
    bool takeNotes(const LoadPullStateUtils::EntryMap &entries);
    void refreshTable();
    // The columns whose texts or marks changed, one bit each.
    int fillRow(int row, const LoadPullStateUtils::IndepVarInfo &info);
    void showNote();

    LoadPullStateUtils::IndepVariablesState tableState;
    // The notes on the rows, by variable: on the variable itself (held, declared otherwise,
    // the frequency named otherwise) and on its value.
    QMap<QString, QString> nameNotes;
    QMap<QString, QString> valueNotes;
    // On what the component stores that no row shows.
    QString otherNotes;
    // Why the value last entered was refused; it holds until the next entry or until the rows
    // are replaced.
    QString entryNote;
    EntryItemDelegate *valueDelegate;
};
