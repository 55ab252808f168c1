#include "performancetabwidget.h"

#include "notelabel.h"
#include "parameternames.h"
#include "performancevariablestablewidget.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace LoadPullStateUtils;
namespace P = ParameterNames;

PerformanceTabWidget::PerformanceTabWidget(QWidget *parent)
    : QWidget(parent)
    , variablesTable(new PerformanceVariablesTableWidget)
    , outputAllButton(new QPushButton(tr("Output All")))
    , outputNoneButton(new QPushButton(tr("Output None")))
    , displayAllButton(new QPushButton(tr("Display All")))
    , displayNoneButton(new QPushButton(tr("Display None")))
{
    auto *notes = new NoteLabel;
    connect(variablesTable, &PerformanceVariablesTableWidget::stateChanged, this,
            &PerformanceTabWidget::widgetStateChanged);
    connect(variablesTable, &PerformanceVariablesTableWidget::notesChanged, notes,
            &NoteLabel::setNote);
    connect(variablesTable, &PerformanceVariablesTableWidget::entryTouched, this,
            &PerformanceTabWidget::entryTouched);
    connect(outputAllButton, &QPushButton::clicked, this, &PerformanceTabWidget::setOutputAll);
    connect(outputNoneButton, &QPushButton::clicked, this, &PerformanceTabWidget::setOutputNone);
    connect(displayAllButton, &QPushButton::clicked, this, &PerformanceTabWidget::setDisplayAll);
    connect(displayNoneButton, &QPushButton::clicked, this, &PerformanceTabWidget::setDisplayNone);

    auto *tableLayout = new QVBoxLayout;
    tableLayout->addWidget(variablesTable);
    tableLayout->addWidget(notes);
    auto *buttonLayout = new QVBoxLayout;
    buttonLayout->addStretch(1);
    buttonLayout->addWidget(outputAllButton);
    buttonLayout->addWidget(outputNoneButton);
    buttonLayout->addStretch(1);
    buttonLayout->addWidget(displayAllButton);
    buttonLayout->addWidget(displayNoneButton);
    buttonLayout->addStretch(1);
    auto *layout = new QHBoxLayout;
    layout->addLayout(tableLayout);
    layout->addLayout(buttonLayout);
    setLayout(layout);
}

PerformanceTabWidget::~PerformanceTabWidget() = default;

void PerformanceTabWidget::setState(const PerformanceTabState &performState)
{
    variablesTable->setState(performState);
    widgetStateChanged();
}

void PerformanceTabWidget::mergeState(const PerformanceTabState &performState, bool uiState)
{
    variablesTable->mergeState(performState, uiState);
    widgetStateChanged();
}

void PerformanceTabWidget::mergeState(const PerformanceTabState &performState)
{
    mergeState(performState, false);
}

// The records follow the report, keeping the choices of the names that stay.
void PerformanceTabWidget::variablesFound(const QList<PerformanceVarBaseInfo> &performanceVars,
                                          int /*numFiles*/)
{
    variablesTable->variablesFound(performanceVars, false);
    widgetStateChanged();
}

void PerformanceTabWidget::showEntries(const EntryMap &entries)
{
    variablesTable->showEntries(entries);
}

void PerformanceTabWidget::setOutputAll()
{
    variablesTable->setOutputAll(true);
    touchAll(P::PrfmParamOutput);
    widgetStateChanged();
}

// Nothing can be displayed that is not output.
void PerformanceTabWidget::setOutputNone()
{
    variablesTable->setOutputAll(false);
    variablesTable->setDisplayAll(false);
    touchAll(P::PrfmParamOutput);
    touchAll(P::PrfmParamAutoPlot);
    widgetStateChanged();
}

// Whatever is displayed is output.
void PerformanceTabWidget::setDisplayAll()
{
    variablesTable->setDisplayAll(true);
    variablesTable->setOutputAll(true);
    touchAll(P::PrfmParamOutput);
    touchAll(P::PrfmParamAutoPlot);
    widgetStateChanged();
}

void PerformanceTabWidget::setDisplayNone()
{
    variablesTable->setDisplayAll(false);
    touchAll(P::PrfmParamAutoPlot);
    widgetStateChanged();
}

// A button sets the choice of every quantity.
void PerformanceTabWidget::touchAll(const QString &parameter)
{
    for (const QString &name : variablesTable->state().variables().keys())
        emit entryTouched(parameter, name);
}

void PerformanceTabWidget::widgetStateChanged()
{
    emit stateChanged(state());
}

PerformanceTabState PerformanceTabWidget::state() const
{
    return variablesTable->state();
}
