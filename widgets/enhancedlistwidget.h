#pragma once

#include <QListWidget>
#include <QStringList>

// A single-selection list of editable texts. The widget keeps its own ordered record of
// the texts (entries), each trimmed; the items only show it, and any change costs time in
// proportion to the number of rows. Selection changes, deletions, view requests
// and content changes are reported through signals. Return and Escape in a row's editor end
// the edit only: they never reach the buttons of a dialog around the list.
class EnhancedListWidget final : public QListWidget
{
    Q_OBJECT

public:
    // The contents are taken in order, repeats and empty texts included, each trimmed.
    explicit EnhancedListWidget(const QStringList &contents, QWidget *parent = nullptr);
    ~EnhancedListWidget() override;

    QSize sizeHint() const override;
    QStringList allStrings() const;

signals:
    // row is -1 when no row is current.
    void rowSelected(int row, int numRows);
    void viewRow(const QString &rowToView);
    void rowDeleted(const QString &deletedString);
    void rowIndexDeleted(int deletedRowIndex);
    void contentsChanged(const QStringList &newList);

public slots:
    // Adds a row with a free default name ("IndepVar<n>") and opens it for editing.
    void appendRow();
    // Adds a text, trimmed, unless it is empty or listed already, and makes it current.
    void appendRow(const QString &stringToAdd);
    // The Delete key does the same.
    void deleteSelectedRow();
    void viewSelectedRow();
    QString getSelectedString() const;
    // All texts but the first one equal to the selected text.
    QStringList allButSelectedString() const;
    // Takes over an item's text, trimmed.
    void updateListContents(QListWidgetItem *changedItem);
    // Replaces the whole list, dropping empty texts and repeats.
    void UpdateContents(const QStringList &newContents);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private slots:
    void handleSelectionChanged();
    void handleRowsInsertedOrRemoved();

private:
    void syncItemsToEntries();
    void deleteRowAt(int row);
    QString newRowName(int count) const;

    QStringList entries;
    // Set while the items are brought in line with entries.
    bool m_syncing = false;
};
