#include "analysisparameterstabwidget.h"

#include "childconnections.h"
#include "entryedit.h"
#include "entryrefusal.h"
#include "entryrules.h"
#include "flagcheckbox.h"
#include "notelabel.h"
#include "parameternames.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace LoadPullStateUtils;
namespace P = ParameterNames;

namespace {

QString statusLevelRefusalNote(const QString &text)
{
    return refusalNote(text, AnalysisParametersTabWidget::tr("the status level"),
                       statusLevelRefusal(text));
}

} // namespace

AnalysisParametersTabWidget::AnalysisParametersTabWidget(QWidget *parent)
    : QWidget(parent)
    , impedanceGroupBox(new QGroupBox(tr("Calculate Load/Source Impedances")))
    , statusLevelEdit(new EntryEdit(statusLevelRefusalNote))
    , gammaCheckBox(new QCheckBox(tr("Reflection coefficient ( S-Parameters )")))
    , impedanceCheckBox(new QCheckBox(tr("Impedance ( Z-Parameters )")))
    , admittanceCheckBox(new QCheckBox(tr("Admittance ( Y-Parameters ) ")))
    , allowNonlinearCheckBox(new QCheckBox(tr("Allow nonlinear devices in the matching network ")))
    , nonlinearNoteLabel(
          new QLabel(tr("( Only small-signal behavior is considered for nonlinear devices. )")))
    , statusLevelNote(new NoteLabel)
    , flagNote(new NoteLabel)
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
    layout->addWidget(flagNote);
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
    for (const auto &[box, parameter, value] : flags()) {
        box->setObjectName(parameter);
        connect(box, &QCheckBox::clicked, this,
                [this, parameter = parameter] { emit entryTouched(parameter, QString()); });
    }
    statusLevelEdit->setObjectName(P::StatusLevel);
    connect(statusLevelEdit, &EntryEdit::entryTaken, this,
            [this] { emit entryTouched(P::StatusLevel, QString()); });
    connect(statusLevelEdit, &EntryEdit::entryTaken, this,
            &AnalysisParametersTabWidget::statusLevelChanged);
    connect(statusLevelEdit, &EntryEdit::entryRefused, this,
            &AnalysisParametersTabWidget::refuseStatusLevel);
}

QList<AnalysisParametersTabWidget::Flag> AnalysisParametersTabWidget::flags() const
{
    return {{gammaCheckBox, P::CalcGamma, parametersState.calcGamma()},
            {admittanceCheckBox, P::CalcAdmittance, parametersState.calcAdmittance()},
            {impedanceCheckBox, P::CalcImpedance, parametersState.calcImpedance()},
            {allowNonlinearCheckBox, P::AllowNonlinearDevices,
             parametersState.allowNonlinearDevices()}};
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
    refusal = note;
    showNotes();
}

void AnalysisParametersTabWidget::showEntries(const EntryMap &entries)
{
    QStringList notes;
    for (const auto &[box, parameter, value] : flags()) {
        const ComponentEntry entry = entryOf(entries, parameter);
        showFlag(box, value, entry.kept);
        if (!entry.note.isEmpty())
            notes.append(box->text().trimmed() + QLatin1String(": ") + entry.note);
    }
    statusLevelEdit->setMark(entryOf(entries, P::StatusLevel).note);
    flagNote->setNote(notes.join(QLatin1Char('\n')));
    showNotes();
}

void AnalysisParametersTabWidget::showNotes()
{
    statusLevelNote->setNote(refusal.isEmpty() ? statusLevelEdit->mark() : refusal);
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
    // A box keeps the partly checked look its entry's mark gave it until a click takes it out.
    for (const auto &[box, parameter, value] : flags())
        showFlag(box, value, box->checkState() == Qt::PartiallyChecked);
    statusLevelEdit->setText(parametersState.statusLevel());
    nonlinearNoteLabel->setEnabled(parametersState.allowNonlinearDevices());
}

// A note speaks of the level refused last: a change taken or a new record makes it stale.
void AnalysisParametersTabWidget::announce()
{
    refusal.clear();
    statusLevelEdit->clearRefusal();
    refreshControls();
    showNotes();
    emit stateChanged(parametersState);
}
