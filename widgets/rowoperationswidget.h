#pragma once

#include <QWidget>

class QPushButton;

// A strip of Add, Remove and View buttons for a list. Remove and View are enabled only
// while a row is selected.
class RowOperationsWidget final : public QWidget
{
    Q_OBJECT

public:
    // rowKind is joined to the Add and Remove labels ("Add..." + rowKind).
    RowOperationsWidget(const QString &rowKind, bool vertical, QWidget *parent = nullptr);
    ~RowOperationsWidget() override;

signals:
    void addRow();
    void moveRowUp();
    void deleteRow();
    void moveRowDown();
    void viewRow();

public slots:
    void rowSelected(int selectedRowIndex, int numRows);

private:
    QPushButton *addButton;
    QPushButton *removeButton;
    QPushButton *viewButton;
};
