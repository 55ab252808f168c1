#pragma once

#include "gammavarinfo.h"
#include "indepvarinfo.h"
#include "variabledetailstabstate.h"
#include "variablesettings.h"

#include <QList>
#include <QWidget>

class GammaVarDetailsTableWidget;
class IndepVarDetailsTableWidget;

// The variables found in the data files: the reflection coefficients above, the other
// independent variables, whose values the user sets, below. The tab's state is always made
// from its two tables.
class DetailsTabWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit DetailsTabWidget(QWidget *parent = nullptr);
    ~DetailsTabWidget() override;

    // Marks the values shown that do not fit the data files simply, with a note under the
    // table saying why, until the next notes replace them.
    void setValueNotes(const QMap<QString, LoadPullStateUtils::ValueNote> &notes);

signals:
    void stateChanged(const LoadPullStateUtils::VariableDetailsTabState &newState);

public slots:
    void setState(const LoadPullStateUtils::VariableDetailsTabState &newState);
    void mergeState(const LoadPullStateUtils::VariableDetailsTabState &newState, bool uiState);
    void mergeState(const LoadPullStateUtils::VariableDetailsTabState &newState);
    void variablesFound(const QList<LoadPullStateUtils::IndepVarInfo> &independentVariables,
                        const QList<LoadPullStateUtils::GammaVarInfo> &gammaVariables,
                        int numFiles);
    void setFrequencySweepRange();
    void updateView();
    void widgetStateChanged();
    LoadPullStateUtils::VariableDetailsTabState state() const;

private:
    IndepVarDetailsTableWidget *indepVarTable;
    GammaVarDetailsTableWidget *gammaVarTable;
};
