#pragma once

#include "dblpcstate.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class FileTabWidget;
class DetailsTabWidget;
class PerformanceTabWidget;
class InterpolationTabWidget;
class AnalysisFrequencyRangeSyncWidget;
class AnalysisParametersTabWidget;
class AnalysisOptimizationTabWidget;
class TermTabWidget;
class PreviewWindow;

// The root of one editor of a DataBasedLoadPull component. It makes the eight tabs, wires
// them to each other, hands each its record and keeps the whole state up to date from
// every record a tab announces. The host shows and owns the tabs; the container neither
// lays them out nor deletes them.
class AllTabsWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit AllTabsWidget(LoadPullStateUtils::DBLPCState state, QWidget *parent = nullptr);
    ~AllTabsWidget() override;

signals:
    void fileTypeChanged(LoadPullStateUtils::LoadPullFileType);

public slots:
    LoadPullStateUtils::DBLPCState state() const;
    void typeChanged(const QString &newType);

    FileTabWidget *fileTabWidget() const;
    DetailsTabWidget *detailsTabWidget() const;
    PerformanceTabWidget *performanceParametersTabWidget() const;
    InterpolationTabWidget *interpolationTabWidget() const;
    AnalysisFrequencyRangeSyncWidget *analysisFrequencyRangeSyncWidget() const;
    AnalysisParametersTabWidget *analysisParametersTabWidget() const;
    AnalysisOptimizationTabWidget *analysisOptimizationTabWidget() const;
    TermTabWidget *termTabWidget() const;

    void updateFileTabState(const LoadPullStateUtils::FileTabState &fileTabState);
    void updateDetailsTabState(const LoadPullStateUtils::VariableDetailsTabState &detailsTabState);
    void updatePerformanceTabState(const LoadPullStateUtils::PerformanceTabState &performanceState);
    void updateInterpolationTabState(
        const LoadPullStateUtils::InterpolationTabState &interpolationTabState);
    void updateAnalysisFrequencyRangeSyncState(
        const LoadPullStateUtils::AnalysisFrequencyRangeSyncState &analysisFrequencyRangeSyncState);
    void updateAnalysisParametersTabState(
        const LoadPullStateUtils::AnalysisParametersTabState &analysisParametersTabState);
    void updateAnalysisOptimizationTabState(
        const LoadPullStateUtils::AnalysisOptimizationTabState &analysisOptimizationTabState);
    void updateTermTabState(const LoadPullStateUtils::TermTabState &termTabState);

private:
    void connectTabs();
    void connectTouches();
    void handOutStates();
    void showVariables(const QList<LoadPullStateUtils::IndepVarInfo> &independentVariables,
                       const QList<LoadPullStateUtils::GammaVarInfo> &gammaVariables);
    void showQuantities(const QList<LoadPullStateUtils::PerformanceVarBaseInfo> &quantities);
    LoadPullStateUtils::ComponentEntries::ListedFiles listedFiles() const;
    void touch(const QString &parameter, const QString &variable);
    void openPreview();
    void showEntries();
    QString fileTypeNote() const;

    QLabel *typeNameLabel;
    // The records the tabs show, and the model of the component's entries made with them:
    // the tabs are filled from it, and OK writes what it gives.
    LoadPullStateUtils::DBLPCState componentState;
    // While the tabs are handed their records, the entries are shown once at the end.
    bool handingOut = false;
    bool showingEntries = false;
    bool touchesToShow = false;
    // Guarded: the host owns the tabs and may destroy one before the container.
    QPointer<FileTabWidget> fileTab;
    QPointer<DetailsTabWidget> detailsTab;
    QPointer<PerformanceTabWidget> performanceTab;
    QPointer<InterpolationTabWidget> interpolationTab;
    QPointer<AnalysisFrequencyRangeSyncWidget> analysisFrequencyRangeSync;
    QPointer<AnalysisParametersTabWidget> analysisParametersTab;
    QPointer<AnalysisOptimizationTabWidget> analysisOptimizationTab;
    QPointer<TermTabWidget> termTab;
    QPointer<PreviewWindow> previewWindow;
};
