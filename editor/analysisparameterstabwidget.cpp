#include "analysisparameterstabwidget.h"

#include "childconnections.h"
#include "entryedit.h"
#include "entryrefusal.h"
#include "notelabel.h"
#include "numerictext.h"
#include "variablename.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace LoadPullStateUtils;

namespace {

constexpr int LowestStatusLevel = 1;
constexpr int HighestStatusLevel = 4;

// The simulator knows the levels 1 to 4; a design variable name is left to it.
QString statusLevelRefusal(const QString &text)
{
    const QString asWhat = AnalysisParametersTabWidget::tr("the status level");
    if (const QString reason = entryRefusal(text); !reason.isEmpty())
        return refusalNote(text, asWhat, reason);
    if (const auto level = toInteger(text))
        return *level >= LowestStatusLevel && *level <= HighestStatusLevel
                   ? QString()
                   : refusalNote(text, asWhat,
                                 AnalysisParametersTabWidget::tr("status levels run from 1 to 4"));
    if (isVariableName(text))
        return QString();
    return refusalNote(text, asWhat,
                       AnalysisParametersTabWidget::tr(
                           "it is neither a whole number from 1 to 4 nor a variable name"));
}

} // namespace

AnalysisParametersTabWidget::AnalysisParametersTabWidget(QWidget *parent)
    : QWidget(parent)
    , impedanceGroupBox(new QGroupBox(tr("Calculate Load/Source Impedances")))
    , statusLevelEdit(new EntryEdit(statusLevelRefusal))
    , gammaCheckBox(new QCheckBox(tr("Reflection coefficient ( S-Parameters )")))
    , impedanceCheckBox(new QCheckBox(tr("Impedance ( Z-Parameters )")))
    , admittanceCheckBox(new QCheckBox(tr("Admittance ( Y-Parameters ) ")))
    , allowNonlinearCheckBox(new QCheckBox(tr("Allow nonlinear devices in the matching network ")))
    , nonlinearNoteLabel(
          new QLabel(tr("( Only small-signal behavior is considered for nonlinear devices. )")))
    , statusLevelNote(new NoteLabel)
{
    // The controls start out as the default record says, before anything listens.
    refreshControls();
    makeLayout();
    makeConnections();
}

AnalysisParametersTabWidget::~AnalysisParametersTabWidget()
{
    disconnectChildrenFrom(this);
}

void AnalysisParametersTabWidget::makeLayout()
{
    auto *groupLayout = new QVBoxLayout;
    groupLayout->addWidget(gammaCheckBox);
    groupLayout->addWidget(admittanceCheckBox);
    groupLayout->addWidget(impedanceCheckBox);
    impedanceGroupBox->setLayout(groupLayout);

    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(new QLabel(tr("Status level")));
    statusRow->addWidget(statusLevelEdit);
    statusRow->addWidget(statusLevelNote);
    statusRow->addStretch(1);

    auto *layout = new QVBoxLayout;
    layout->addWidget(impedanceGroupBox);
    layout->addLayout(statusRow);
    layout->addWidget(allowNonlinearCheckBox);
    layout->addWidget(nonlinearNoteLabel);
    layout->addStretch(1);
    setLayout(layout);
}

void AnalysisParametersTabWidget::makeConnections()
{
    connect(gammaCheckBox, &QCheckBox::stateChanged, this,
            &AnalysisParametersTabWidget::gammaStateChanged);
    connect(admittanceCheckBox, &QCheckBox::stateChanged, this,
            &AnalysisParametersTabWidget::admittanceStateChanged);
    connect(impedanceCheckBox, &QCheckBox::stateChanged, this,
            &AnalysisParametersTabWidget::impedanceStateChanged);
    connect(allowNonlinearCheckBox, &QCheckBox::stateChanged, this,
            &AnalysisParametersTabWidget::allowNonlinearStateChanged);
    connect(statusLevelEdit, &EntryEdit::entryTaken, this,
            &AnalysisParametersTabWidget::statusLevelChanged);
    connect(statusLevelEdit, &EntryEdit::entryRefused, this,
            &AnalysisParametersTabWidget::refuseStatusLevel);
}

AnalysisParametersTabState AnalysisParametersTabWidget::state() const
{
    return parametersState;
}

// Check boxes whose state changes here run their slots and announce the record as well.
void AnalysisParametersTabWidget::setState(
    const AnalysisParametersTabState &analysisParametersTabState)
{
    parametersState = analysisParametersTabState;
    announce();
}

void AnalysisParametersTabWidget::gammaStateChanged(int checkState)
{
    parametersState.setCalcGamma(checkState == Qt::Checked);
    announce();
}

// A level is taken when its edit ends, so the record never holds one half typed.
void AnalysisParametersTabWidget::statusLevelChanged(const QString &statusLevel)
{
    parametersState.setStatusLevel(statusLevel);
    announce();
}

// The record keeps its level, and the edit shows it again.
void AnalysisParametersTabWidget::refuseStatusLevel(const QString &note)
{
    refreshControls();
    statusLevelNote->setNote(note);
}

void AnalysisParametersTabWidget::admittanceStateChanged(int checkState)
{
    parametersState.setCalcAdmittance(checkState == Qt::Checked);
    announce();
}

void AnalysisParametersTabWidget::impedanceStateChanged(int checkState)
{
    parametersState.setCalcImpedance(checkState == Qt::Checked);
    announce();
}

void AnalysisParametersTabWidget::allowNonlinearStateChanged(int checkState)
{
    parametersState.setAllowNonlinearDevices(checkState == Qt::Checked);
    announce();
}

void AnalysisParametersTabWidget::refreshControls()
{
    gammaCheckBox->setChecked(parametersState.calcGamma());
    admittanceCheckBox->setChecked(parametersState.calcAdmittance());
    impedanceCheckBox->setChecked(parametersState.calcImpedance());
    allowNonlinearCheckBox->setChecked(parametersState.allowNonlinearDevices());
    statusLevelEdit->setText(parametersState.statusLevel());
    nonlinearNoteLabel->setEnabled(parametersState.allowNonlinearDevices());
}

// A note speaks of the level refused last: a change taken or a new record makes it stale.
void AnalysisParametersTabWidget::announce()
{
    statusLevelNote->setNote(QString());
    refreshControls();
    emit stateChanged(parametersState);
}
