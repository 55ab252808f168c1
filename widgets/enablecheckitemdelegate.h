#pragma once

#include <QItemDelegate>

// Draws a cell's check box centred in the cell, where QItemDelegate puts it at the left,
// toggles it from a release inside that box or from Space and Select, and frames the box of
// the current cell while the view has the keyboard focus.
class EnableCheckItemDelegate final : public QItemDelegate
{
public:
    explicit EnableCheckItemDelegate(QObject *parent = nullptr);
    ~EnableCheckItemDelegate() override;

    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

protected:
    void drawFocus(QPainter *painter, const QStyleOptionViewItem &option,
                   const QRect &rect) const override;
    void drawCheck(QPainter *painter, const QStyleOptionViewItem &option, const QRect &rect,
                   Qt::CheckState state) const override;

private:
    static int focusMargin();
    // The one rectangle that both drawing and hit-testing use.
    QRect centredCheckRect(const QStyleOptionViewItem &option) const;
    bool togglesCheck(const QEvent *event, const QStyleOptionViewItem &option) const;
};
