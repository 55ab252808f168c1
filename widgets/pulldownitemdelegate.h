#pragma once

#include <QComboBox>
#include <QItemDelegate>
#include <QStringList>

// A cell that takes one of a fixed list of choices.
class PullDownItemDelegate final : public QItemDelegate
{
public:
    class PullDownChoicesBox;

    PullDownItemDelegate(const QStringList &choices, QObject *parent = nullptr);
    ~PullDownItemDelegate() override;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    // A cell text that is not among the choices leaves the box with no current choice.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    const QStringList choices;
};

// The editor: a combo box whose pop-up shows long choices whole.
class PullDownItemDelegate::PullDownChoicesBox final : public QComboBox
{
public:
    PullDownChoicesBox(const QStringList &choices, QWidget *parent = nullptr);
    ~PullDownChoicesBox() override;
};
