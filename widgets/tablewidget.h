#pragma once

#include <QTableWidget>

// Base of the variable tables. One click opens the editor of any editable cell, whether or not
// the cell can be selected; a press on a check box the user can toggle stays a plain press, so
// each click toggles it. From the keyboard: Tab enters and leaves the table as one control,
// focus entering it makes the first cell the user can change current, and Return or Escape in
// a cell editor end the edit without reaching the buttons of the dialog around the table.
class TableWidget : public QTableWidget
{
public:
    explicit TableWidget(QWidget *parent = nullptr);
    ~TableWidget() override;

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    QModelIndex firstChangeableIndex() const;

    // The view's double-click handling turns a click it does not recognise back into a
    // press; without this guard such a press would bounce between the two for ever.
    bool m_forwardingPress = false;
};
