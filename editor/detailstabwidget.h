#pragma once

#include "componententry.h"
#include "gammavarinfo.h"
#include "indepvarinfo.h"
#include "variabledetailstabstate.h"

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

    // Marks the rows whose entries the model gives a note, with the notes under each table,
    // until the next entries replace them.
    void showEntries(const LoadPullStateUtils::EntryMap &entries);

signals:
    void stateChanged(const LoadPullStateUtils::VariableDetailsTabState &newState);
    // The user ended an edit of an entry with a value that was taken.
    void entryTouched(const QString &parameter, const QString &variable);
    // The user asked to see the data at the held settings.
    void previewRequested();

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
