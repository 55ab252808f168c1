#pragma once

#include "analysisparameterstabstate.h"
#include "componententry.h"

#include <QList>

#include <QWidget>

class EntryEdit;
class NoteLabel;
class QCheckBox;
class QGroupBox;
class QLabel;
class QString;

// Which load and source quantities the analysis computes, its status level, and whether
// the matching network may hold nonlinear devices.
class AnalysisParametersTabWidget final : public QWidget
{
    Q_OBJECT

public:
    explicit AnalysisParametersTabWidget(QWidget *parent = nullptr);
    ~AnalysisParametersTabWidget() override;

    // Shows a flag the component stores as neither yes nor no partly checked, marks a status
    // level the field would not take as typed, and says why.
    void showEntries(const LoadPullStateUtils::EntryMap &entries);

signals:
    void
    stateChanged(const LoadPullStateUtils::AnalysisParametersTabState &analysisParametersTabState);
    // The user clicked a box, or ended an edit of the status level with a level that was taken.
    void entryTouched(const QString &parameter, const QString &variable);

public slots:
    LoadPullStateUtils::AnalysisParametersTabState state() const;
    void setState(const LoadPullStateUtils::AnalysisParametersTabState &analysisParametersTabState);
    void gammaStateChanged(int checkState);
    void statusLevelChanged(const QString &statusLevel);
    void admittanceStateChanged(int checkState);
    void impedanceStateChanged(int checkState);
    void allowNonlinearStateChanged(int checkState);

private:
    // A flag's box, its parameter and the value the record holds.
    struct Flag
    {
        QCheckBox *box;
        QString parameter;
        bool value;
    };
    QList<Flag> flags() const;
    void makeLayout();
    void makeConnections();
    void refuseStatusLevel(const QString &note);
    void refreshControls();
    void announce();
    void showNotes();

    LoadPullStateUtils::AnalysisParametersTabState parametersState;
    QGroupBox *impedanceGroupBox;
    // A level from 1 to 4 or a design variable name, judged when the edit ends.
    EntryEdit *statusLevelEdit;
    QCheckBox *gammaCheckBox;
    QCheckBox *impedanceCheckBox;
    QCheckBox *admittanceCheckBox;
    QCheckBox *allowNonlinearCheckBox;
    QLabel *nonlinearNoteLabel;
    // Says why the level last entered was refused, or why the level shown is marked.
    NoteLabel *statusLevelNote;
    QString refusal;
    // Why flags are shown partly checked.
    NoteLabel *flagNote;
};
