#pragma once

#include <QLineEdit>

#include <functional>

// A line edit whose entry is judged when the edit ends, not keystroke by keystroke: it keeps
// whatever the user types, so that a typo is never turned into another value. Return, Enter or
// the focus leaving ends an edit that changed the text; the judge then gives the reason the
// entry cannot be taken, or the empty text. A refused Return goes no further, so that the
// default button of a dialog around the edit does not close it over the note that says why.
class EntryEdit final : public QLineEdit
{
    Q_OBJECT

public:
    using Judge = std::function<QString(const QString &)>;

    explicit EntryEdit(Judge judge, QWidget *parent = nullptr);
    ~EntryEdit() override;

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
};
