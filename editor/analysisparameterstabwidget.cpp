#include "analysisparameterstabwidget.h"

#include "childconnections.h"
#include "intorvarvalidator.h"
#include "notelabel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <limits>

using namespace LoadPullStateUtils;

AnalysisParametersTabWidget::AnalysisParametersTabWidget(QWidget *parent)
    : QWidget(parent)
    , impedanceGroupBox(new QGroupBox(tr("Calculate Load/Source Impedances")))
    , statusLevelEdit(new QLineEdit)
    , statusLevelValidator(
          new IntOrVarValidator(0, std::numeric_limits<int>::max(), statusLevelEdit))
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
    statusLevelEdit->setValidator(statusLevelValidator);
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
    connect(statusLevelEdit, &QLineEdit::textEdited, this,
            &AnalysisParametersTabWidget::statusLevelChanged);
    connect(statusLevelEdit, &QLineEdit::editingFinished, this,
            &AnalysisParametersTabWidget::statusLevelEditingFinished);
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

// Every keystroke that the validator lets through is stored, the empty text included.
void AnalysisParametersTabWidget::statusLevelChanged(const QString &statusLevel)
{
    parametersState.setStatusLevel(statusLevel);
    announce();
}

// Leaving the edit or pressing Return puts back the last complete level through the
// validator's fixup, which raises no textEdited: the record takes what the edit then shows.
void AnalysisParametersTabWidget::statusLevelEditingFinished()
{
    if (statusLevelEdit->text() != parametersState.statusLevel())
        statusLevelChanged(statusLevelEdit->text());
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
    statusLevelNote->setNote(statusLevelNoteText());
}

// The edit takes any level and any name, and the record keeps what it takes; only the levels
// 1 to 4 mean something to the simulator, which the note says of any other.
QString AnalysisParametersTabWidget::statusLevelNoteText() const
{
    if (parametersState.isValid(true))
        return QString();
    if (parametersState.statusLevel().isEmpty())
        return tr("Enter a status level from 1 to 4, or a variable name.");
    return tr("Status levels run from 1 to 4: %1 is outside them.")
        .arg(parametersState.statusLevel());
}

void AnalysisParametersTabWidget::announce()
{
    refreshControls();
    emit stateChanged(parametersState);
}
