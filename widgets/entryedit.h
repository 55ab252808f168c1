#pragma once

#include <QLineEdit>

#include <functional>

class QAction;

// A line edit whose entry is judged when the edit ends, not keystroke by keystroke: it keeps
// whatever the user types, so that a typo is never turned into another value. Return, Enter or
// the focus leaving ends an edit that changed the text, and so does Tab; the judge then gives the
// reason the entry cannot be taken, or the empty text. A refused Return or Tab goes no further,
// so that the focus stays beside the note that says why and the default button of a dialog
// around the edit does not close it; an entry refused as the focus left otherwise is named in
// RefusedEntryProperty for the host until the owner clears its note.
class EntryEdit final : public QLineEdit
{
    Q_OBJECT

public:
    using Judge = std::function<QString(const QString &)>;

    explicit EntryEdit(Judge judge, QWidget *parent = nullptr);
    ~EntryEdit() override;

    // Marks the text shown with a warning sign whose tooltip is the note, or unmarks it for
    // the empty note: a text the field would not take as typed, shown because it is stored.
    void setMark(const QString &note);
    QString mark() const;
    // The owner no longer shows the note of the last refusal.
    void clearRefusal();

signals:
    void entryTaken(const QString &text);
    // The owner shows the note and its last value taken again.
    void entryRefused(const QString &note);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Qt moves the focus on Tab before the key reaches keyPressEvent.
    bool focusNextPrevChild(bool next) override;

private:
    void finishEntry();

    Judge m_judge;
    bool m_refused = false;
    bool m_inKeyPress = false;
    QAction *m_mark = nullptr;
};
