#include "realorvaritemdelegate.h"

#include "realorvarvalidator.h"

#include <QLineEdit>

ValidatedTextItemDelegate::ValidatedTextItemDelegate(QObject *parent)
    : QItemDelegate(parent)
{}

ValidatedTextItemDelegate::~ValidatedTextItemDelegate() = default;

QWidget *ValidatedTextItemDelegate::createEditor(QWidget *parent,
                                                 const QStyleOptionViewItem & /*option*/,
                                                 const QModelIndex & /*index*/) const
{
    auto *editor = new QLineEdit(parent);
    editor->setValidator(createValidator(editor));
    return editor;
}

void ValidatedTextItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<QLineEdit *>(editor)->setText(index.data(Qt::EditRole).toString());
}

void ValidatedTextItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                             const QModelIndex &index) const
{
    model->setData(index, static_cast<QLineEdit *>(editor)->text(), Qt::EditRole);
}

void ValidatedTextItemDelegate::updateEditorGeometry(QWidget *editor,
                                                     const QStyleOptionViewItem &option,
                                                     const QModelIndex & /*index*/) const
{
    editor->setGeometry(option.rect);
}

RealOrVarItemDelegate::RealOrVarItemDelegate(QObject *parent)
    : ValidatedTextItemDelegate(parent)
{}

RealOrVarItemDelegate::~RealOrVarItemDelegate() = default;

QValidator *RealOrVarItemDelegate::createValidator(QObject *parent) const
{
    return new RealOrVarValidator(parent);
}
