#pragma once

#include "performancetabstate.h"
#include "tablewidget.h"

#include <QList>

class QTableWidgetItem;

// The performance quantities of the data files, one row each in name order, with a check box
// for output and one for automatic display. The record is the truth; the cells only show it.
class PerformanceVariablesTableWidget final : public TableWidget
{
    Q_OBJECT

public:
    explicit PerformanceVariablesTableWidget(QWidget *parent = nullptr);
    ~PerformanceVariablesTableWidget() override;

signals:
    void stateChanged();

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

private:
    void refreshTable();
    void fillRow(int row);
    // The columns whose texts changed, one bit each.
    int fillRow(int row, const LoadPullStateUtils::PerformanceVarInfo &info);
    void showCheck(int row, int column, bool checked);

    LoadPullStateUtils::PerformanceTabState tableState;
};
