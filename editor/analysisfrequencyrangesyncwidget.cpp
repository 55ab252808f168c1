#include "analysisfrequencyrangesyncwidget.h"

#include "flagcheckbox.h"
#include "hostadapter.h"
#include "notelabel.h"
#include "parameternames.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace LoadPullStateUtils;

AnalysisFrequencyRangeSyncWidget::AnalysisFrequencyRangeSyncWidget(QWidget *parent)
    : QWidget(parent)
    , syncCheckBox(new QCheckBox(tr("Use frequency range from data files")))
    , keptNote(new NoteLabel)
{
    syncCheckBox->setObjectName(ParameterNames::UseFrequencyRangeFromDataFiles);
    connect(syncCheckBox, &QCheckBox::toggled, this,
            &AnalysisFrequencyRangeSyncWidget::syncStateToggled);
    connect(syncCheckBox, &QCheckBox::clicked, this, &AnalysisFrequencyRangeSyncWidget::boxClicked);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(syncCheckBox);
    row->addStretch(1);
    auto *layout = new QVBoxLayout;
    layout->addLayout(row);
    layout->addWidget(keptNote);
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
        showFlag(syncCheckBox, syncState.useFrequencyRangeFromDataFiles(),
                 syncCheckBox->checkState() == Qt::PartiallyChecked);
    }
    emit stateChanged(syncState);
}

void AnalysisFrequencyRangeSyncWidget::showEntries(const EntryMap &entries)
{
    const ComponentEntry entry = entryOf(entries, ParameterNames::UseFrequencyRangeFromDataFiles);
    const QSignalBlocker blocker(syncCheckBox);
    showFlag(syncCheckBox, syncState.useFrequencyRangeFromDataFiles(), entry.kept);
    keptNote->setNote(
        entry.note.isEmpty() ? QString() : syncCheckBox->text() + QLatin1String(": ") + entry.note);
}

// A click out of the partly checked look changes the flag without a toggle of the box, which
// counts that look as checked. The look and its note are the entry's, shown once the touch is.
void AnalysisFrequencyRangeSyncWidget::boxClicked(bool checked)
{
    if (syncState.useFrequencyRangeFromDataFiles() != checked)
        syncStateToggled(checked);
    emit entryTouched(ParameterNames::UseFrequencyRangeFromDataFiles, QString());
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
