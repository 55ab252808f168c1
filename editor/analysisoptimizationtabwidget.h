#pragma once

#include "analysisoptimizationtabstate.h"

#include <QWidget>

class NoteLabel;
class QGroupBox;
class QLabel;
class QString;

// Why a weight factor entered for the penalty goal is refused; the empty text when it may be
// taken: a number not below 0 or a design variable name. Anything else, a text with a group
// or decimal comma included, is refused.
QString weightRefusal(const QString &text);

// Whether the optimiser avoids reflection coefficients outside the data, and the weight
// of the penalty goal that makes it do so.
class AnalysisOptimizationTabWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit AnalysisOptimizationTabWidget(QWidget *parent = nullptr);
    ~AnalysisOptimizationTabWidget() override;

signals:
    void stateChanged(
        const LoadPullStateUtils::AnalysisOptimizationTabState &analysisOptimizationTabState);

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
    QGroupBox *avoidOutOfRangeGroupBox;
    QLabel *weightLabel;
    QLabel *explanationLabel;
    // Says why the weight last entered was refused.
    NoteLabel *weightNote;
};
