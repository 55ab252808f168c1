#pragma once

#include "analysisfrequencyrangesyncstate.h"
#include "componententry.h"

#include <QWidget>

class NoteLabel;
class QCheckBox;

// Whether the simulation's frequency sweep follows the data files. Switching it off
// gives the sweep group back to the user, unbounded.
class AnalysisFrequencyRangeSyncWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit AnalysisFrequencyRangeSyncWidget(QWidget *parent = nullptr);
    ~AnalysisFrequencyRangeSyncWidget() override;

    // Shows the flag partly checked while the component stores it as neither yes nor no.
    void showEntries(const LoadPullStateUtils::EntryMap &entries);

signals:
    void stateChanged(const LoadPullStateUtils::AnalysisFrequencyRangeSyncState &newState);
    void setFrequencySweepRange();
    // The user clicked the box.
    void entryTouched(const QString &parameter, const QString &variable);

public slots:
    LoadPullStateUtils::AnalysisFrequencyRangeSyncState state() const;
    void setState(
        const LoadPullStateUtils::AnalysisFrequencyRangeSyncState &analysisFrequencyRangeSyncState);
    void syncStateToggled(bool on);
    void fileListModified();

private:
    void boxClicked(bool checked);

    LoadPullStateUtils::AnalysisFrequencyRangeSyncState syncState;
    QCheckBox *syncCheckBox;
    // Why the box is partly checked; empty when it is not.
    NoteLabel *keptNote;
};
