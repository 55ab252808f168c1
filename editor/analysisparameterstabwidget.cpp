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
    const QList<std::pair<QCheckBox *, QString>> boxes = {
        {gammaCheckBox, P::CalcGamma},
        {admittanceCheckBox, P::CalcAdmittance},
        {impedanceCheckBox, P::CalcImpedance},
        {allowNonlinearCheckBox, P::AllowNonlinearDevices}};
    for (const auto &[box, parameter] : boxes) {
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
    keptFlags.remove(P::CalcGamma); // a box that changes shows its choice from now on
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
    const QList<std::pair<QCheckBox *, QString>> boxes = {
        {gammaCheckBox, P::CalcGamma},
        {admittanceCheckBox, P::CalcAdmittance},
        {impedanceCheckBox, P::CalcImpedance},
        {allowNonlinearCheckBox, P::AllowNonlinearDevices}};
    QStringList notes;
    keptFlags.clear();
    for (const auto &[box, parameter] : boxes) {
        const ComponentEntry entry = entryOf(entries, parameter);
        if (entry.kept)
            keptFlags.insert(parameter);
        if (!entry.note.isEmpty())
            notes.append(box->text().trimmed() + QLatin1String(": ") + entry.note);
    }
    statusLevelEdit->setMark(entryOf(entries, P::StatusLevel).note);
    flagNote->setNote(notes.join(QLatin1Char('\n')));
    refreshControls();
    showNotes();
}

void AnalysisParametersTabWidget::showNotes()
{
    statusLevelNote->setNote(refusal.isEmpty() ? statusLevelEdit->mark() : refusal);
}

void AnalysisParametersTabWidget::admittanceStateChanged(int checkState)
{
    keptFlags.remove(P::CalcAdmittance); // a box that changes shows its choice from now on
    parametersState.setCalcAdmittance(checkState == Qt::Checked);
    announce();
}

void AnalysisParametersTabWidget::impedanceStateChanged(int checkState)
{
    keptFlags.remove(P::CalcImpedance); // a box that changes shows its choice from now on
    parametersState.setCalcImpedance(checkState == Qt::Checked);
    announce();
}

void AnalysisParametersTabWidget::allowNonlinearStateChanged(int checkState)
{
    keptFlags.remove(P::AllowNonlinearDevices); // a box that changes shows its choice from now on
    parametersState.setAllowNonlinearDevices(checkState == Qt::Checked);
    announce();
}

void AnalysisParametersTabWidget::refreshControls()
{
    showFlag(gammaCheckBox, parametersState.calcGamma(), keptFlags.contains(P::CalcGamma));
    showFlag(admittanceCheckBox, parametersState.calcAdmittance(),
             keptFlags.contains(P::CalcAdmittance));
    showFlag(impedanceCheckBox, parametersState.calcImpedance(),
             keptFlags.contains(P::CalcImpedance));
    showFlag(allowNonlinearCheckBox, parametersState.allowNonlinearDevices(),
             keptFlags.contains(P::AllowNonlinearDevices));
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
