#pragma once

#include <QTableWidget>

// Base of the variable tables: one press on a cell that ends up selected also counts as a
// double-click, so an editable cell opens its editor with one click. A press on a cell with a
// check box the user can toggle stays a plain press, so each click toggles it.
class TableWidget : public QTableWidget
{
public:
    explicit TableWidget(QWidget *parent = nullptr);
    ~TableWidget() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The view's double-click handling turns a click it does not recognise back into a
    // press; without this guard such a press would bounce between the two for ever.
    bool m_forwardingPress = false;
};
