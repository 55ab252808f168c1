#pragma once

#include "gammasstate.h"
#include "tablewidget.h"

#include <QList>

class QTableWidgetItem;

// The reflection coefficients of the data files, one row each in name order, shown read-only.
// The record is the truth; the cells only show it.
class GammaVarDetailsTableWidget final : public TableWidget
{
    Q_OBJECT

public:
    explicit GammaVarDetailsTableWidget(QWidget *parent = nullptr);
    ~GammaVarDetailsTableWidget() override;

signals:
    void stateChanged();

public slots:
    void setState(const LoadPullStateUtils::GammasState &newState);
    void mergeState(const LoadPullStateUtils::GammasState &newState, bool uiState);
    void mergeState(const LoadPullStateUtils::GammasState &newState);
    void variablesFound(const QList<LoadPullStateUtils::GammaVarInfo> &gammaVars, bool reset);
    void updateGammaVarInfo(QTableWidgetItem *theItem);
    LoadPullStateUtils::GammasState state() const;

private:
    void refreshTable();
    void fillRow(int row);
    // The columns whose texts changed, one bit each.
    int fillRow(int row, const LoadPullStateUtils::GammaVarInfo &info);

    LoadPullStateUtils::GammasState tableState;
};
