#include "performancetabwidget.h"

#include "performancevariablestablewidget.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace LoadPullStateUtils;

PerformanceTabWidget::PerformanceTabWidget(QWidget *parent)
    : QWidget(parent)
    , variablesTable(new PerformanceVariablesTableWidget)
    , outputAllButton(new QPushButton(tr("Output All")))
    , outputNoneButton(new QPushButton(tr("Output None")))
    , displayAllButton(new QPushButton(tr("Display All")))
    , displayNoneButton(new QPushButton(tr("Display None")))
{
    connect(variablesTable, &PerformanceVariablesTableWidget::stateChanged, this,
            &PerformanceTabWidget::widgetStateChanged);
    connect(outputAllButton, &QPushButton::clicked, this, &PerformanceTabWidget::setOutputAll);
    connect(outputNoneButton, &QPushButton::clicked, this, &PerformanceTabWidget::setOutputNone);
    connect(displayAllButton, &QPushButton::clicked, this, &PerformanceTabWidget::setDisplayAll);
    connect(displayNoneButton, &QPushButton::clicked, this, &PerformanceTabWidget::setDisplayNone);

    auto *tableLayout = new QVBoxLayout;
    tableLayout->addWidget(variablesTable);
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

void PerformanceTabWidget::setOutputAll()
{
    variablesTable->setOutputAll(true);
    widgetStateChanged();
}

// Nothing can be displayed that is not output.
void PerformanceTabWidget::setOutputNone()
{
    variablesTable->setOutputAll(false);
    variablesTable->setDisplayAll(false);
    widgetStateChanged();
}

// Whatever is displayed is output.
void PerformanceTabWidget::setDisplayAll()
{
    variablesTable->setDisplayAll(true);
    variablesTable->setOutputAll(true);
    widgetStateChanged();
}

void PerformanceTabWidget::setDisplayNone()
{
    variablesTable->setDisplayAll(false);
    widgetStateChanged();
}

void PerformanceTabWidget::widgetStateChanged()
{
    emit stateChanged(state());
}

PerformanceTabState PerformanceTabWidget::state() const
{
    return variablesTable->state();
}
