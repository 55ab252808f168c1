#include "entryitemdelegate.h"

#include <QLineEdit>

EntryItemDelegate::EntryItemDelegate(QObject *parent)
    : QItemDelegate(parent)
{}

EntryItemDelegate::~EntryItemDelegate() = default;

QWidget *EntryItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem & /*option*/,
                                         const QModelIndex & /*index*/) const
{
    return new QLineEdit(parent);
}

void EntryItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<QLineEdit *>(editor)->setText(index.data(Qt::EditRole).toString());
}

void EntryItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                     const QModelIndex &index) const
{
    const auto *edit = static_cast<QLineEdit *>(editor);
    if (!edit->isModified())
        return;
    if (index.data(Qt::EditRole).toString() != edit->text())
        model->setData(index, edit->text(), Qt::EditRole);
    else
        model->setData(index, index.data(EntryRole).toInt() + 1, EntryRole);
}

void EntryItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                             const QModelIndex & /*index*/) const
{
    editor->setGeometry(option.rect);
}
