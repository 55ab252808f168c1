#pragma once

#include "analysisfrequencyrangesyncstate.h"

#include <QWidget>

class QCheckBox;

// Whether the simulation's frequency sweep follows the data files. Switching it off
// gives the sweep group back to the user, unbounded.
class AnalysisFrequencyRangeSyncWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit AnalysisFrequencyRangeSyncWidget(QWidget *parent = nullptr);
    ~AnalysisFrequencyRangeSyncWidget() override;

signals:
    void stateChanged(const LoadPullStateUtils::AnalysisFrequencyRangeSyncState &newState);
    void setFrequencySweepRange();

public slots:
    LoadPullStateUtils::AnalysisFrequencyRangeSyncState state() const;
    void setState(
        const LoadPullStateUtils::AnalysisFrequencyRangeSyncState &analysisFrequencyRangeSyncState);
    void syncStateToggled(bool on);
    void fileListModified();

private:
    LoadPullStateUtils::AnalysisFrequencyRangeSyncState syncState;
    QCheckBox *syncCheckBox;
};
