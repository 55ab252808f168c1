#pragma once

#include <QLineEdit>

#include <functional>

class QAction;

// A line edit whose entry is judged when the edit ends, not keystroke by keystroke: it keeps
// whatever the user types, so that a typo is never turned into another value. Return, Enter or
// the focus leaving ends an edit that changed the text; the judge then gives the reason the
// entry cannot be taken, or the empty text. A refused Return goes no further, so that the
// default button of a dialog around the edit does not close it over the note that says why; an
// entry refused as the focus left is named in RefusedEntryProperty for the host.
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

signals:
    void entryTaken(const QString &text);
    // The owner shows the note and its last value taken again.
    void entryRefused(const QString &note);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void finishEntry();

    Judge m_judge;
    bool m_refused = false;
    bool m_inKeyPress = false;
    QAction *m_mark = nullptr;
};
