#pragma once

#include <QInputDialog>

#include <functional>

class NoteLabel;

// Asks for one text and judges it when the user accepts: a refused entry keeps the dialog open,
// with the text as typed and the note that says why, until the user corrects it or cancels.
class EntryDialog final : public QInputDialog
{
    Q_OBJECT

public:
    // The note on why the text cannot be taken, or the empty text.
    using Judge = std::function<QString(const QString &)>;

    explicit EntryDialog(Judge judge, QWidget *parent = nullptr);
    ~EntryDialog() override;

    // The note shown below the entry; empty while none was refused.
    QString note() const;

    void done(int result) override;

protected:
    // The input dialog makes its layout only as it is first shown.
    void showEvent(QShowEvent *event) override;

private:
    void placeNote();

    Judge m_judge;
    NoteLabel *m_note;
};
