#pragma once

#include "analysisoptimizationtabstate.h"
#include "componententry.h"

#include <QWidget>

class NoteLabel;
class PartlyCheckableGroupBox;
class QLabel;
class QString;

// Whether the optimiser avoids reflection coefficients outside the data, and the weight
// of the penalty goal that makes it do so.
class AnalysisOptimizationTabWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit AnalysisOptimizationTabWidget(QWidget *parent = nullptr);
    ~AnalysisOptimizationTabWidget() override;

    // Shows the flag partly checked while the component stores it as neither yes nor no, and
    // says why a weight the dialog would not take is shown.
    void showEntries(const LoadPullStateUtils::EntryMap &entries);

signals:
    void stateChanged(
        const LoadPullStateUtils::AnalysisOptimizationTabState &analysisOptimizationTabState);
    // The user clicked the box, or gave a weight that was taken.
    void entryTouched(const QString &parameter, const QString &variable);

public slots:
    LoadPullStateUtils::AnalysisOptimizationTabState state() const;
    void
    setState(const LoadPullStateUtils::AnalysisOptimizationTabState &analysisOptimizationTabState);
    void groupBoxToggled(bool on);
    void weightChanged(const QString &weight);
    void weightFactorButtonClicked();

private:
    void makeLayout(QLabel *caption, QWidget *button);
    void refreshControls();
    void announce();

    LoadPullStateUtils::AnalysisOptimizationTabState optimizationState;
    PartlyCheckableGroupBox *avoidOutOfRangeGroupBox;
    QLabel *weightLabel;
    QLabel *explanationLabel;
    // Says why the weight shown is marked.
    NoteLabel *weightNote;
    // Says why the box is partly checked.
    NoteLabel *flagNote;
};
