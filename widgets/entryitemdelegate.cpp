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
    model->setData(index, static_cast<QLineEdit *>(editor)->text(), Qt::EditRole);
}

void EntryItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                             const QModelIndex & /*index*/) const
{
    editor->setGeometry(option.rect);
}
