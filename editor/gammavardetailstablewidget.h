#pragma once

#include "componententry.h"
#include "gammasstate.h"
#include "tablewidget.h"

#include <QList>
#include <QMap>

class QTableWidgetItem;

// The reflection coefficients of the data files, one row each in name order, shown read-only.
// The record is the truth; the cells only show it.
class GammaVarDetailsTableWidget final : public TableWidget
{
    Q_OBJECT

public:
    explicit GammaVarDetailsTableWidget(QWidget *parent = nullptr);
    ~GammaVarDetailsTableWidget() override;

    // Marks the rows whose entries carry a note (held, or declared otherwise by the component)
    // and says the notes, with those on coefficients the component names that no row shows.
    void showEntries(const LoadPullStateUtils::EntryMap &entries);

signals:
    void stateChanged();
    // The notes on the rows and on what no row shows; the empty text when there are none.
    void notesChanged(const QString &notes);

public slots:
    void setState(const LoadPullStateUtils::GammasState &newState);
    void mergeState(const LoadPullStateUtils::GammasState &newState, bool uiState);
    void mergeState(const LoadPullStateUtils::GammasState &newState);
    void variablesFound(const QList<LoadPullStateUtils::GammaVarInfo> &gammaVars, bool reset);
    void updateGammaVarInfo(QTableWidgetItem *theItem);
    LoadPullStateUtils::GammasState state() const;

private:
    // Keeps the notes of the entries; gives whether they changed.
    bool takeNotes(const LoadPullStateUtils::EntryMap &entries);
    void refreshTable();
    void fillRow(int row);
    // The columns whose texts changed, one bit each.
    int fillRow(int row, const LoadPullStateUtils::GammaVarInfo &info);
    void showNotes();

    LoadPullStateUtils::GammasState tableState;
    QMap<QString, QString> rowNotes;
    QString otherNotes;
};
