#include "alltabswidget.h"

#include "analysisfrequencyrangesyncwidget.h"
#include "analysisoptimizationtabwidget.h"
#include "analysisparameterstabwidget.h"
#include "detailstabwidget.h"
#include "elidedtext.h"
#include "filetabwidget.h"
#include "interpolationtabwidget.h"
#include "notelabel.h"
#include "parametermapping.h"
#include "parameternames.h"
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
    const QString typeNote = fileTypeNote();
    if (typeNote.isEmpty()) {
        layout->addStretch(1);
    } else {
        auto *note = new NoteLabel;
        note->setNote(typeNote);
        layout->addSpacing(caption->fontMetrics().averageCharWidth() * 2);
        layout->addWidget(note, 1);
    }
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    setLayout(layout);

    connectTabs();
    handOutStates();
}

AllTabsWidget::~AllTabsWidget() = default;

void AllTabsWidget::connectTabs()
{
    connect(fileTab, &FileTabWidget::foundVariables, this, &AllTabsWidget::showVariables);
    connect(fileTab, &FileTabWidget::foundPerformanceVariables, this,
            &AllTabsWidget::showQuantities);
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

// The file tab goes last: it tests its files again and reports their variables, which the
// tables show with the settings the component came with.
void AllTabsWidget::handOutStates()
{
    const DBLPCState given = componentState;
    variableSettings = VariableSettings(given.detailsTabState(), given.performanceState());
    interpolationTab->setState(given.interpolationTabState());
    termTab->setState(given.termTabState());
    analysisFrequencyRangeSync->setState(given.analysisFrequencyRangeSyncState());
    analysisParametersTab->setState(given.analysisParametersTabState());
    analysisOptimizationTab->setState(given.analysisOptimizationTabState());
    fileTab->setState(given.fileTabState());
    // Without files nothing is reported, and no variable is shown.
    if (fileTab->state().isEmpty()) {
        showVariables({}, {});
        showQuantities({});
    }
    componentState.setUiState(true);
    rememberOpenedTexts();
}

// What the editor writes for the component before the user changes anything: what still
// reads the same when it is accepted goes back as the component stored it.
void AllTabsWidget::rememberOpenedTexts()
{
    StoredParameters stored = componentState.storedParameters();
    stored.setOpened(toParameterMap(componentState));
    componentState.setStoredParameters(stored);
}

// The host may have destroyed a tab before the container.
void AllTabsWidget::showVariables(const QList<IndepVarInfo> &independentVariables,
                                  const QList<GammaVarInfo> &gammaVariables)
{
    const VariableDetailsTabState shown = variableSettings.showDetails(
        independentVariables, gammaVariables, fileTab && fileTab->hasUnreadableFiles());
    if (detailsTab)
        detailsTab->setState(shown);
    showValueNotes();
}

void AllTabsWidget::showQuantities(const QList<PerformanceVarBaseInfo> &quantities)
{
    const PerformanceTabState shown =
        variableSettings.showPerformance(quantities, fileTab && fileTab->hasUnreadableFiles());
    if (performanceTab)
        performanceTab->setState(shown);
}

void AllTabsWidget::showValueNotes()
{
    if (detailsTab)
        detailsTab->setValueNotes(variableSettings.valueNotes());
}

void AllTabsWidget::markChanged(const QString &parameter, const QStringList &variables)
{
    if (variables.isEmpty())
        return;
    StoredParameters stored = componentState.storedParameters();
    for (const QString &variable : variables)
        stored.setChanged(parameter, variable);
    componentState.setStoredParameters(stored);
}

// The editor offers Maury files only; a component of another type opens with its settings
// shown as Maury settings, and its type is written back as it is.
QString AllTabsWidget::fileTypeNote() const
{
    const QString stored = unquote(
        componentState.storedParameters().stored().value(ParameterNames::FileType).value(0));
    if (stored.isEmpty() || stored == QLatin1String("Maury"))
        return QString();
    return tr("The component's file type, \"%1\", is not offered here: its settings show as Maury "
              "settings, and the type is kept as it is.")
        .arg(elidedText(stored));
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

// What the user changes in the tables becomes a setting that later file changes keep, and its
// stored text no longer holds.
void AllTabsWidget::updateDetailsTabState(const VariableDetailsTabState &detailsTabState)
{
    componentState.setDetailsTabState(detailsTabState);
    const QStringList changed = variableSettings.takeSettings(detailsTabState);
    markChanged(ParameterNames::IndepVarValue, changed);
    if (!changed.isEmpty())
        showValueNotes();
}

void AllTabsWidget::updatePerformanceTabState(const PerformanceTabState &performanceState)
{
    componentState.setPerformanceState(performanceState);
    const VariableSettings::PerformanceChanges changes =
        variableSettings.takeSettings(performanceState);
    markChanged(ParameterNames::PrfmParamOutput, changes.outputs);
    markChanged(ParameterNames::PrfmParamAutoPlot, changes.autoPlots);
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
