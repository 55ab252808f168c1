#include "detailstabwidget.h"

#include "gammavardetailstablewidget.h"
#include "hostadapter.h"
#include "indepvardetailstablewidget.h"
#include "notelabel.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

using namespace LoadPullStateUtils;

namespace {

// A note below the table, if given, says why an entry was refused and what the marks mean.
QGroupBox *titledBox(const QString &title, QWidget *table, QWidget *note = nullptr)
{
    auto *box = new QGroupBox(title);
    box->setFlat(true);
    box->setAlignment(Qt::AlignHCenter);
    auto *layout = new QVBoxLayout;
    layout->addWidget(table);
    if (note)
        layout->addWidget(note);
    box->setLayout(layout);
    return box;
}

// The range comes from the data files, so each bound is quoted with escapes; a bound that no
// script string can hold sends nothing.
std::optional<QString> sweepGroupCommand(const IndepVarInfo &frequency)
{
    const QString unit = QLatin1Char(' ') + frequency.unit();
    const std::optional<QString> lowest = HostAdapter::scriptString(frequency.minValue() + unit);
    const std::optional<QString> highest = HostAdapter::scriptString(frequency.maxValue() + unit);
    if (!lowest || !highest)
        return std::nullopt;
    return QStringLiteral(" dblp_init_sweep_group( ") + *lowest + QLatin1Char(',') + *highest +
           QStringLiteral(",\" FALSE \"  );");
}

} // namespace

DetailsTabWidget::DetailsTabWidget(QWidget *parent)
    : QWidget(parent)
    , indepVarTable(new IndepVarDetailsTableWidget)
    , gammaVarTable(new GammaVarDetailsTableWidget)
{
    auto *valueNote = new NoteLabel;
    auto *gammaNote = new NoteLabel;
    QGroupBox *indepBox = titledBox(tr("Other independent variables"), indepVarTable, valueNote);
    QGroupBox *gammaBox = titledBox(tr("Reflection coefficients"), gammaVarTable, gammaNote);
    connect(indepVarTable, &IndepVarDetailsTableWidget::stateChanged, this,
            &DetailsTabWidget::widgetStateChanged);
    connect(gammaVarTable, &GammaVarDetailsTableWidget::stateChanged, this,
            &DetailsTabWidget::widgetStateChanged);
    connect(indepVarTable, &IndepVarDetailsTableWidget::valueNoteChanged, valueNote,
            &NoteLabel::setNote);
    connect(gammaVarTable, &GammaVarDetailsTableWidget::notesChanged, gammaNote,
            &NoteLabel::setNote);
    connect(indepVarTable, &IndepVarDetailsTableWidget::entryTouched, this,
            &DetailsTabWidget::entryTouched);
    auto *preview = new QPushButton(tr("&Preview..."));
    preview->setObjectName(QStringLiteral("Preview"));
    connect(preview, &QPushButton::clicked, this, &DetailsTabWidget::previewRequested);
    auto *layout = new QVBoxLayout;
    layout->addWidget(gammaBox);
    layout->addWidget(indepBox);
    layout->addWidget(preview, 0, Qt::AlignRight);
    setLayout(layout);
}

DetailsTabWidget::~DetailsTabWidget() = default;

void DetailsTabWidget::setState(const VariableDetailsTabState &newState)
{
    indepVarTable->setState(newState.independentVariables());
    gammaVarTable->setState(newState.gammaVariables());
    widgetStateChanged();
}

void DetailsTabWidget::mergeState(const VariableDetailsTabState &newState, bool uiState)
{
    indepVarTable->mergeState(newState.independentVariables(), uiState);
    gammaVarTable->mergeState(newState.gammaVariables(), uiState);
    widgetStateChanged();
}

void DetailsTabWidget::mergeState(const VariableDetailsTabState &newState)
{
    mergeState(newState, false);
}

// The records follow the report, keeping the values of the names that stay.
void DetailsTabWidget::variablesFound(const QList<IndepVarInfo> &independentVariables,
                                      const QList<GammaVarInfo> &gammaVariables, int /*numFiles*/)
{
    indepVarTable->variablesFound(independentVariables, false);
    gammaVarTable->variablesFound(gammaVariables, false);
    widgetStateChanged();
}

void DetailsTabWidget::showEntries(const EntryMap &entries)
{
    indepVarTable->showEntries(entries);
    gammaVarTable->showEntries(entries);
}

void DetailsTabWidget::setFrequencySweepRange()
{
    const IndepVariablesState variables = indepVarTable->state();
    const std::optional<QString> command =
        sweepGroupCommand(variables.variableNamed(variables.frequency().name()));
    if (command)
        HostAdapter::executeCommand(QStringLiteral("SimCmd"), *command);
}

void DetailsTabWidget::updateView() {}

void DetailsTabWidget::widgetStateChanged()
{
    emit stateChanged(state());
}

VariableDetailsTabState DetailsTabWidget::state() const
{
    VariableDetailsTabState current;
    current.setIndependentVariables(indepVarTable->state());
    current.setGammaVariables(gammaVarTable->state());
    return current;
}
