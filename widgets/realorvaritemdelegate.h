#pragma once

#include <QItemDelegate>

class QValidator;

// Edits a cell's text in a line edit whose validator refuses keystrokes that would make
// the text Invalid. The committed text is stored unchanged; the owning table checks it.
class ValidatedTextItemDelegate : public QItemDelegate
{
public:
    ~ValidatedTextItemDelegate() override;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const final;
    void setEditorData(QWidget *editor, const QModelIndex &index) const final;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const final;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const final;

protected:
    explicit ValidatedTextItemDelegate(QObject *parent);

private:
    virtual QValidator *createValidator(QObject *parent) const = 0;
};

// A cell that holds a real number or a design variable name.
class RealOrVarItemDelegate final : public ValidatedTextItemDelegate
{
public:
    explicit RealOrVarItemDelegate(QObject *parent = nullptr);
    ~RealOrVarItemDelegate() override;

private:
    QValidator *createValidator(QObject *parent) const override;
};
