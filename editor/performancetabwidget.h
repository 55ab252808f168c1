#pragma once

#include "componententry.h"
#include "performancetabstate.h"
#include "performancevarbaseinfo.h"

#include <QList>
#include <QWidget>

class PerformanceVariablesTableWidget;
class QPushButton;

// The performance quantities of the data files: for each, whether the component outputs it
// and whether the host plots it automatically, with all-or-nothing buttons beside the table.
class PerformanceTabWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit PerformanceTabWidget(QWidget *parent = nullptr);
    ~PerformanceTabWidget() override;

    // Marks the rows whose entries the model gives a note, with the notes under the table.
    void showEntries(const LoadPullStateUtils::EntryMap &entries);

signals:
    void stateChanged(const LoadPullStateUtils::PerformanceTabState &performState);
    // The user set a choice of a quantity, with a check box or a button for all of them.
    void entryTouched(const QString &parameter, const QString &variable);

public slots:
    void setState(const LoadPullStateUtils::PerformanceTabState &performState);
    void mergeState(const LoadPullStateUtils::PerformanceTabState &performState, bool uiState);
    void mergeState(const LoadPullStateUtils::PerformanceTabState &performState);
    void variablesFound(const QList<LoadPullStateUtils::PerformanceVarBaseInfo> &performanceVars,
                        int numFiles);
    void setOutputAll();
    void setOutputNone();
    void setDisplayAll();
    void setDisplayNone();
    void widgetStateChanged();
    LoadPullStateUtils::PerformanceTabState state() const;

private:
    void touchAll(const QString &parameter);

    PerformanceVariablesTableWidget *variablesTable;
    QPushButton *outputAllButton;
    QPushButton *outputNoneButton;
    QPushButton *displayAllButton;
    QPushButton *displayNoneButton;
};
