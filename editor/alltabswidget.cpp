#include "alltabswidget.h"

#include "analysisfrequencyrangesyncwidget.h"
#include "analysisoptimizationtabwidget.h"
#include "analysisparameterstabwidget.h"
#include "detailstabwidget.h"
#include "elidedtext.h"
#include "filetabwidget.h"
#include "interpolationtabwidget.h"
#include "performancetabwidget.h"
#include "plainmessagebox.h"
#include "termtabwidget.h"

#include <QHBoxLayout>
#include <QLabel>

using namespace LoadPullStateUtils;

AllTabsWidget::AllTabsWidget(DBLPCState state, QWidget *parent)
    : QWidget(parent)
    , typeNameLabel(new QLabel(tr("Maury")))
    , componentState(state)
    , fileTab(new FileTabWidget)
    , detailsTab(new DetailsTabWidget)
    , performanceTab(new PerformanceTabWidget)
    , interpolationTab(new InterpolationTabWidget)
    , analysisFrequencyRangeSync(new AnalysisFrequencyRangeSyncWidget)
    , analysisParametersTab(new AnalysisParametersTabWidget)
    , analysisOptimizationTab(new AnalysisOptimizationTabWidget)
    , termTab(new TermTabWidget)
{
    componentState.setFileType(MauryFileType);

    auto *caption = new QLabel(tr("Load pull file type: "));
    auto *layout = new QHBoxLayout;
    layout->addWidget(caption, 0);
    layout->addWidget(typeNameLabel, 0);
    layout->addStretch(1);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    setLayout(layout);

    connectTabs();
    handOutStates();
}

AllTabsWidget::~AllTabsWidget() = default;

void AllTabsWidget::connectTabs()
{
    // A report makes the tables show what the readable files hold: the held records are
    // taken as edited before it and shown again after it.
    connect(fileTab, &FileTabWidget::foundVariables, this, &AllTabsWidget::rememberHeldRecords);
    connect(fileTab, &FileTabWidget::foundVariables, detailsTab, &DetailsTabWidget::variablesFound);
    connect(fileTab, &FileTabWidget::foundPerformanceVariables, performanceTab,
            &PerformanceTabWidget::variablesFound);
    connect(fileTab, &FileTabWidget::foundPerformanceVariables, this,
            &AllTabsWidget::restoreHeldRecords);
    connect(fileTab, &FileTabWidget::fileListModified, analysisFrequencyRangeSync,
            &AnalysisFrequencyRangeSyncWidget::fileListModified);
    connect(analysisFrequencyRangeSync, &AnalysisFrequencyRangeSyncWidget::setFrequencySweepRange,
            detailsTab, &DetailsTabWidget::setFrequencySweepRange);
    connect(fileTab, &FileTabWidget::stateChanged, this, &AllTabsWidget::updateFileTabState);
    connect(detailsTab, &DetailsTabWidget::stateChanged, this,
            &AllTabsWidget::updateDetailsTabState);
    connect(performanceTab, &PerformanceTabWidget::stateChanged, this,
            &AllTabsWidget::updatePerformanceTabState);
    connect(interpolationTab, &InterpolationTabWidget::stateChanged, this,
            &AllTabsWidget::updateInterpolationTabState);
    connect(termTab, &TermTabWidget::stateChanged, this, &AllTabsWidget::updateTermTabState);
    connect(analysisFrequencyRangeSync, &AnalysisFrequencyRangeSyncWidget::stateChanged, this,
            &AllTabsWidget::updateAnalysisFrequencyRangeSyncState);
    connect(analysisParametersTab, &AnalysisParametersTabWidget::stateChanged, this,
            &AllTabsWidget::updateAnalysisParametersTabState);
    connect(analysisOptimizationTab, &AnalysisOptimizationTabWidget::stateChanged, this,
            &AllTabsWidget::updateAnalysisOptimizationTabState);
}

// The file tab goes last but for the two merges: it tests its files again and reports
// their variables, from which the details and performance tabs rebuild their tables;
// the values that came with the component are then laid over them.
void AllTabsWidget::handOutStates()
{
    const DBLPCState given = componentState;
    interpolationTab->setState(given.interpolationTabState());
    termTab->setState(given.termTabState());
    analysisFrequencyRangeSync->setState(given.analysisFrequencyRangeSyncState());
    analysisParametersTab->setState(given.analysisParametersTabState());
    analysisOptimizationTab->setState(given.analysisOptimizationTabState());
    fileTab->setState(given.fileTabState());
    // The data cannot tell which variables a file it cannot read holds: the component's
    // records of the variables no readable file reports are kept as they are.
    if (fileTab->hasUnreadableFiles()) {
        heldRecords.hold(given.detailsTabState());
        heldRecords.hold(given.performanceState());
        showHeldRecords();
    }
    detailsTab->mergeState(given.detailsTabState(), given.uiState());
    performanceTab->mergeState(given.performanceState(), given.uiState());
    componentState.setUiState(true);
}

// The host may have destroyed either table's tab before the container.
void AllTabsWidget::rememberHeldRecords()
{
    if (heldRecords.isEmpty())
        return;
    if (detailsTab)
        heldRecords.update(detailsTab->state());
    if (performanceTab)
        heldRecords.update(performanceTab->state());
}

// Once no listed file is unreadable, the records held for such files go with them.
void AllTabsWidget::restoreHeldRecords()
{
    if (heldRecords.isEmpty())
        return;
    if (!fileTab->hasUnreadableFiles())
        heldRecords.clear();
    else
        showHeldRecords();
}

void AllTabsWidget::showHeldRecords()
{
    if (detailsTab)
        detailsTab->setState(heldRecords.addedTo(detailsTab->state()));
    if (performanceTab)
        performanceTab->setState(heldRecords.addedTo(performanceTab->state()));
}

DBLPCState AllTabsWidget::state() const
{
    return componentState;
}

void AllTabsWidget::typeChanged(const QString &newType)
{
    if (newType != QLatin1String("Maury")) {
        PlainMessageBox::show(
            QMessageBox::Information, this, QStringLiteral("DataBasedLoadPull"),
            elidedText(newType) +
                tr("  Is not yet functional for Alpha5.\nThis dialog will not show up once "
                   "the feature is implemented."));
        return;
    }
    componentState.setFileType(fileTypeFromParameter(newType));
    const DBLPCState selected = componentState;
    if (detailsTab)
        detailsTab->setState(selected.detailsTabState());
    if (performanceTab)
        performanceTab->setState(selected.performanceState());
    if (fileTab)
        fileTab->setState(selected.fileTabState());
    if (interpolationTab)
        interpolationTab->setState(selected.interpolationTabState());
    if (analysisParametersTab)
        analysisParametersTab->setState(selected.analysisParametersTabState());
    if (analysisOptimizationTab)
        analysisOptimizationTab->setState(selected.analysisOptimizationTabState());
    if (termTab)
        termTab->setState(selected.termTabState());
}

FileTabWidget *AllTabsWidget::fileTabWidget() const
{
    return fileTab;
}

DetailsTabWidget *AllTabsWidget::detailsTabWidget() const
{
    return detailsTab;
}

PerformanceTabWidget *AllTabsWidget::performanceParametersTabWidget() const
{
    return performanceTab;
}

InterpolationTabWidget *AllTabsWidget::interpolationTabWidget() const
{
    return interpolationTab;
}

AnalysisFrequencyRangeSyncWidget *AllTabsWidget::analysisFrequencyRangeSyncWidget() const
{
    return analysisFrequencyRangeSync;
}

AnalysisParametersTabWidget *AllTabsWidget::analysisParametersTabWidget() const
{
    return analysisParametersTab;
}

AnalysisOptimizationTabWidget *AllTabsWidget::analysisOptimizationTabWidget() const
{
    return analysisOptimizationTab;
}

TermTabWidget *AllTabsWidget::termTabWidget() const
{
    return termTab;
}

void AllTabsWidget::updateFileTabState(const FileTabState &fileTabState)
{
    componentState.setFileTabState(fileTabState);
}

void AllTabsWidget::updateDetailsTabState(const VariableDetailsTabState &detailsTabState)
{
    componentState.setDetailsTabState(detailsTabState);
}

void AllTabsWidget::updatePerformanceTabState(const PerformanceTabState &performanceState)
{
    componentState.setPerformanceState(performanceState);
}

void AllTabsWidget::updateInterpolationTabState(const InterpolationTabState &interpolationTabState)
{
    componentState.setInterpolationTabState(interpolationTabState);
}

void AllTabsWidget::updateAnalysisFrequencyRangeSyncState(
    const AnalysisFrequencyRangeSyncState &analysisFrequencyRangeSyncState)
{
    componentState.setAnalysisFrequencyRangeSyncState(analysisFrequencyRangeSyncState);
}

void AllTabsWidget::updateAnalysisParametersTabState(
    const AnalysisParametersTabState &analysisParametersTabState)
{
    componentState.setAnalysisParametersTabState(analysisParametersTabState);
}

void AllTabsWidget::updateAnalysisOptimizationTabState(
    const AnalysisOptimizationTabState &analysisOptimizationTabState)
{
    componentState.setAnalysisOptimizationTabState(analysisOptimizationTabState);
}

void AllTabsWidget::updateTermTabState(const TermTabState &termTabState)
{
    componentState.setTermTabState(termTabState);
}
