#pragma once

#include "componententry.h"
#include "performancetabstate.h"
#include "tablewidget.h"

#include <QList>
#include <QMap>
#include <QSet>

class QTableWidgetItem;

// The performance quantities of the data files, one row each in name order, with a check box
// for output and one for automatic display. The record is the truth; the cells only show it.
class PerformanceVariablesTableWidget final : public TableWidget
{
    Q_OBJECT

public:
    explicit PerformanceVariablesTableWidget(QWidget *parent = nullptr);
    ~PerformanceVariablesTableWidget() override;

    // Marks the rows whose entries carry a note (held, declared otherwise by the component),
    // shows a choice the component stores as neither yes nor no as partly checked, and says
    // the notes, with those on quantities the component names that no row shows.
    void showEntries(const LoadPullStateUtils::EntryMap &entries);

signals:
    void stateChanged();
    // The notes on the rows and on what no row shows; the empty text when there are none.
    void notesChanged(const QString &notes);
    // The user clicked a check box.
    void entryTouched(const QString &parameter, const QString &variable);

public slots:
    void setState(const LoadPullStateUtils::PerformanceTabState &newState);
    void mergeState(const LoadPullStateUtils::PerformanceTabState &newState, bool uiState);
    void mergeState(const LoadPullStateUtils::PerformanceTabState &newState);
    void variablesFound(const QList<LoadPullStateUtils::PerformanceVarBaseInfo> &performanceVars,
                        bool reset);
    void setOutputAll(bool output);
    void setDisplayAll(bool display);
    void updatePerformanceVarInfo(QTableWidgetItem *theItem);
    LoadPullStateUtils::PerformanceTabState state() const;
    bool outputAll() const;
    bool displayAll() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void fitTypeColumn();
    // Keeps the notes and partly checked boxes of the entries; gives whether they changed.
    bool takeNotes(const LoadPullStateUtils::EntryMap &entries);
    void refreshTable();
    void fillRow(int row);
    // The columns whose texts changed, one bit each.
    int fillRow(int row, const LoadPullStateUtils::PerformanceVarInfo &info);
    void showCheck(int row, int column, Qt::CheckState state);
    void showNotes();

    LoadPullStateUtils::PerformanceTabState tableState;
    // What the model last said of the entries the rows show, and only that: a click changes
    // the record, and the model's next word changes these.
    QMap<QString, QString> rowNotes;
    // The check boxes, by parameter and quantity, that show a choice the component stores as
    // neither yes nor no.
    QSet<QString> keptChecks;
    // The type each row shows: a held quantity's as stored.
    QMap<QString, QString> typeTexts;
    QString otherNotes;
};
