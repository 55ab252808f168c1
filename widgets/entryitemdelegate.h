#pragma once

#include <QItemDelegate>

// Edits a cell's text in a plain line edit that keeps every keystroke: an entry is judged when
// the edit ends, by the table that owns the column, which says why it refuses one. The text is
// committed as typed; an edit that ends on the text the cell holds is committed too, as a
// change of EntryRole, so that the table hears of every entry the user makes.
class EntryItemDelegate final : public QItemDelegate
{
public:
    // Counts the entries of a cell that left its text as it was.
    static constexpr int EntryRole = Qt::UserRole + 2;

    explicit EntryItemDelegate(QObject *parent = nullptr);
    ~EntryItemDelegate() override;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
};
