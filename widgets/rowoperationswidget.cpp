#include "rowoperationswidget.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

RowOperationsWidget::RowOperationsWidget(const QString &rowKind, bool vertical, QWidget *parent)
    : QWidget(parent)
    , addButton(new QPushButton(tr("Add...") + rowKind, this))
    , removeButton(new QPushButton(tr("Remove...") + rowKind, this))
    , viewButton(new QPushButton(tr("View..."), this))
{
    QBoxLayout *layout = vertical ? static_cast<QBoxLayout *>(new QVBoxLayout) : new QHBoxLayout;
    layout->addWidget(addButton);
    layout->addWidget(removeButton);
    layout->addWidget(viewButton);
    layout->addStretch();
    setLayout(layout);

    connect(addButton, &QPushButton::clicked, this, &RowOperationsWidget::addRow);
    connect(removeButton, &QPushButton::clicked, this, &RowOperationsWidget::deleteRow);
    connect(viewButton, &QPushButton::clicked, this, &RowOperationsWidget::viewRow);

    // Nothing is selected yet.
    removeButton->setEnabled(false);
    viewButton->setEnabled(false);
}

RowOperationsWidget::~RowOperationsWidget() = default;

void RowOperationsWidget::rowSelected(int selectedRowIndex, int /*numRows*/)
{
    const bool hasSelection = selectedRowIndex >= 0;
    removeButton->setEnabled(hasSelection);
    viewButton->setEnabled(hasSelection);
}
