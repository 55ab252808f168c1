#include "analysisfrequencyrangesyncwidget.h"

#include "hostadapter.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QSignalBlocker>

using namespace LoadPullStateUtils;

AnalysisFrequencyRangeSyncWidget::AnalysisFrequencyRangeSyncWidget(QWidget *parent)
    : QWidget(parent)
    , syncCheckBox(new QCheckBox(tr("Use frequency range from data files")))
{
    connect(syncCheckBox, &QCheckBox::toggled, this,
            &AnalysisFrequencyRangeSyncWidget::syncStateToggled);
    auto *layout = new QHBoxLayout;
    layout->addStretch(1);
    layout->addWidget(syncCheckBox);
    layout->addStretch(1);
    setLayout(layout);
}

AnalysisFrequencyRangeSyncWidget::~AnalysisFrequencyRangeSyncWidget() = default;

AnalysisFrequencyRangeSyncState AnalysisFrequencyRangeSyncWidget::state() const
{
    return syncState;
}

// Showing a stored state must not touch the host's sweep group.
void AnalysisFrequencyRangeSyncWidget::setState(
    const AnalysisFrequencyRangeSyncState &analysisFrequencyRangeSyncState)
{
    syncState = analysisFrequencyRangeSyncState;
    {
        const QSignalBlocker blocker(syncCheckBox);
        syncCheckBox->setChecked(syncState.useFrequencyRangeFromDataFiles());
    }
    emit stateChanged(syncState);
}

void AnalysisFrequencyRangeSyncWidget::syncStateToggled(bool on)
{
    syncState.setUseFrequencyRangeFromDataFiles(on);
    if (on)
        emit setFrequencySweepRange();
    else
        HostAdapter::executeCommand(QStringLiteral("SimCmd"),
                                    QStringLiteral(" dblp_init_sweep_group( NULL, NULL, TRUE );"));
    emit stateChanged(syncState);
}

void AnalysisFrequencyRangeSyncWidget::fileListModified()
{
    if (syncState.useFrequencyRangeFromDataFiles())
        emit setFrequencySweepRange();
}
