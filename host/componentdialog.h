#pragma once

#include <QDialog>
#include <QList>

#include <functional>
#include <string>

class QLabel;
class QTabWidget;

// The reference host's component dialog: the editor's file-type line above a tab per
// page (File, Variables, Performance, Interpolation, Analysis, Term) and OK and Cancel.
// It carries out the commands the plug-in sends to the host. Cancel discards the edits; Escape
// and the window's close button ask first whether to save them, when there are any.
//
// OK, Escape and the close button first end the edit in progress, so that an entry typed and
// not yet ended counts. An entry the editor refused where the user may not have seen it (a
// control holding a note in its "refusedEntry" property) keeps the dialog open, with that
// control shown and given the focus.
class ComponentDialog final : public QDialog
{
    Q_OBJECT

public:
    // The nine widgets in the order the plug-in hands them out; the dialog takes them.
    explicit ComponentDialog(const QList<QWidget *> &editorWidgets, QWidget *parent = nullptr);

    void runCommand(const std::string &target, const std::string &command);
    // Whether closing now would discard edits; without it, the dialog closes unasked.
    void setChangesCheck(std::function<bool()> hasChanges);
    void accept() override;
    void reject() override;

    QTabWidget *tabs() const { return m_tabs; }
    QString sweepText() const;

private:
    QWidget *analysisPage(const QList<QWidget *> &editorWidgets);
    QSize openingSize();
    bool endEdit();
    void showControl(QWidget *control);
    void refocus(QWidget *control);
    void setEditingTabsEnabled(bool enabled);
    void showSweepGroup(const QString &arguments);
    void openTextEditor(const QString &arguments);

    QTabWidget *m_tabs;
    QLabel *m_sweepLabel;
    std::function<bool()> m_hasChanges;
};
