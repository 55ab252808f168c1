#include "alltabswidget.h"

#include "analysisfrequencyrangesyncwidget.h"
#include "analysisoptimizationtabwidget.h"
#include "analysisparameterstabwidget.h"
#include "detailstabwidget.h"
#include "elidedtext.h"
#include "filetabwidget.h"
#include "interpolationtabwidget.h"
#include "notelabel.h"
#include "parameterlist.h"
#include "parameternames.h"
#include "performancetabwidget.h"
#include "plainmessagebox.h"
#include "previewwindow.h"
#include "termtabwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScopedValueRollback>

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
    typeNameLabel->setObjectName(ParameterNames::FileType);

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
    connectTouches();
    handOutStates();
}

AllTabsWidget::~AllTabsWidget() = default;

// A touch makes the entry written as its control shows it, even where that is the value the
// stored text says; the record that goes with it comes by the tab's stateChanged.
void AllTabsWidget::connectTouches()
{
    connect(detailsTab, &DetailsTabWidget::entryTouched, this, &AllTabsWidget::touch);
    connect(performanceTab, &PerformanceTabWidget::entryTouched, this, &AllTabsWidget::touch);
    connect(interpolationTab, &InterpolationTabWidget::entryTouched, this, &AllTabsWidget::touch);
    connect(analysisFrequencyRangeSync, &AnalysisFrequencyRangeSyncWidget::entryTouched, this,
            &AllTabsWidget::touch);
    connect(analysisParametersTab, &AnalysisParametersTabWidget::entryTouched, this,
            &AllTabsWidget::touch);
    connect(analysisOptimizationTab, &AnalysisOptimizationTabWidget::entryTouched, this,
            &AllTabsWidget::touch);
    connect(termTab, &TermTabWidget::entryTouched, this, &AllTabsWidget::touch);
}

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
    connect(detailsTab, &DetailsTabWidget::previewRequested, this, &AllTabsWidget::openPreview);
}

// The preview reads the records the tabs announced, after every tab that changed told it.
void AllTabsWidget::openPreview()
{
    if (!previewWindow) {
        previewWindow =
            new PreviewWindow([this] { return PreviewSettings::fromState(state()); }, detailsTab);
        const auto follow = [this](auto *tab, auto signal) {
            connect(tab, signal, previewWindow, &PreviewWindow::followEditor);
        };
        follow(fileTab.data(), &FileTabWidget::stateChanged);
        follow(detailsTab.data(), &DetailsTabWidget::stateChanged);
        follow(performanceTab.data(), &PerformanceTabWidget::stateChanged);
        follow(interpolationTab.data(), &InterpolationTabWidget::stateChanged);
        follow(analysisOptimizationTab.data(), &AnalysisOptimizationTabWidget::stateChanged);
    }
    previewWindow->present();
}

// The interpolation boxes learn the component's own texts first, so that a record that keeps
// one shows it. The file tab goes last: it tests its files again and reports their variables,
// which the tables show with the settings the component came with.
void AllTabsWidget::handOutStates()
{
    const DBLPCState given = componentState;
    // A state made otherwise than from a component's texts has no model of its entries yet:
    // the variables it carries are the settings the data files' variables take.
    if (given.entries() == ComponentEntries())
        componentState.setEntries(
            ComponentEntries({}, given.detailsTabState(), given.performanceState()));
    handingOut = true;
    interpolationTab->showEntries(
        componentState.entries().singleEntries(componentState.currentTypeState()));
    interpolationTab->setState(given.interpolationTabState());
    termTab->setState(given.termTabState());
    analysisFrequencyRangeSync->setState(given.analysisFrequencyRangeSyncState());
    analysisParametersTab->setState(given.analysisParametersTabState());
    analysisOptimizationTab->setState(given.analysisOptimizationTabState());
    fileTab->setState(given.fileTabState());
    // Without files nothing is reported, and the variables the component sets are held.
    if (fileTab->state().isEmpty()) {
        showVariables({}, {});
        showQuantities({});
    }
    componentState.setUiState(true);
    handingOut = false;
    showEntries();
}

ComponentEntries::ListedFiles AllTabsWidget::listedFiles() const
{
    if (!fileTab)
        return {};
    return {fileTab->state().count(), fileTab->unreadableFileNames()};
}

// The host may have destroyed a tab before the container.
void AllTabsWidget::showVariables(const QList<IndepVarInfo> &independentVariables,
                                  const QList<GammaVarInfo> &gammaVariables)
{
    const VariableDetailsTabState shown =
        componentState.entries().showDetails(independentVariables, gammaVariables, listedFiles());
    if (detailsTab)
        detailsTab->setState(shown);
}

void AllTabsWidget::showQuantities(const QList<PerformanceVarBaseInfo> &quantities)
{
    const PerformanceTabState shown =
        componentState.entries().showPerformance(quantities, listedFiles());
    if (performanceTab)
        performanceTab->setState(shown);
}

// A touch ends what the stored texts said, even where the record shown stays the same. The
// entries are shown again once control is back: once for all the touches of one click, as a
// button that sets every quantity's choice makes.
void AllTabsWidget::touch(const QString &parameter, const QString &variable)
{
    componentState.entries().touch(parameter, variable);
    if (touchesToShow)
        return;
    touchesToShow = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            touchesToShow = false;
            showEntries();
        },
        Qt::QueuedConnection);
}

// Every tab shows the entries the model makes of the records they show: marks, notes, and the
// component's own texts where a control cannot show them otherwise.
void AllTabsWidget::showEntries()
{
    // A tab that shows its entries may announce its record, which shows them again: the call
    // in progress shows them all.
    if (handingOut || showingEntries)
        return;
    const QScopedValueRollback<bool> showing(showingEntries, true);
    const EntryMap entries = componentState.entries().entries(componentState.currentTypeState());
    if (detailsTab)
        detailsTab->showEntries(entries);
    if (performanceTab)
        performanceTab->showEntries(entries);
    if (interpolationTab)
        interpolationTab->showEntries(entries);
    if (analysisFrequencyRangeSync)
        analysisFrequencyRangeSync->showEntries(entries);
    if (analysisParametersTab)
        analysisParametersTab->showEntries(entries);
    if (analysisOptimizationTab)
        analysisOptimizationTab->showEntries(entries);
    if (termTab)
        termTab->showEntries(entries);
}

// The editor offers Maury files only; a component of another type opens with its settings
// shown as Maury settings, and its type is written back as it is.
QString AllTabsWidget::fileTypeNote() const
{
    const EntryMap entries =
        componentState.entries().singleEntries(componentState.currentTypeState());
    return entryOf(entries, ParameterNames::FileType).note;
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
    touch(ParameterNames::FileType, QString());
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
    showEntries();
}

// What the user changes in the tables becomes a setting that later file changes keep.
void AllTabsWidget::updateDetailsTabState(const VariableDetailsTabState &detailsTabState)
{
    componentState.setDetailsTabState(detailsTabState);
    componentState.entries().takeDetails(detailsTabState);
    showEntries();
}

void AllTabsWidget::updatePerformanceTabState(const PerformanceTabState &performanceState)
{
    componentState.setPerformanceState(performanceState);
    componentState.entries().takePerformance(performanceState);
    showEntries();
}

void AllTabsWidget::updateInterpolationTabState(const InterpolationTabState &interpolationTabState)
{
    componentState.setInterpolationTabState(interpolationTabState);
    showEntries();
}

void AllTabsWidget::updateAnalysisFrequencyRangeSyncState(
    const AnalysisFrequencyRangeSyncState &analysisFrequencyRangeSyncState)
{
    componentState.setAnalysisFrequencyRangeSyncState(analysisFrequencyRangeSyncState);
    showEntries();
}

void AllTabsWidget::updateAnalysisParametersTabState(
    const AnalysisParametersTabState &analysisParametersTabState)
{
    componentState.setAnalysisParametersTabState(analysisParametersTabState);
    showEntries();
}

void AllTabsWidget::updateAnalysisOptimizationTabState(
    const AnalysisOptimizationTabState &analysisOptimizationTabState)
{
    componentState.setAnalysisOptimizationTabState(analysisOptimizationTabState);
    showEntries();
}

void AllTabsWidget::updateTermTabState(const TermTabState &termTabState)
{
    componentState.setTermTabState(termTabState);
    showEntries();
}
