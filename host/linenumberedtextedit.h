#pragma once

#include <QPlainTextEdit>

class QPaintEvent;

// A plain-text view with the numbers of its lines in a gutter on the left. Each paint
// numbers only the lines in view, so a document of a million lines costs no more to show
// than a short one; the gutter grows with the number of digits of the last line.
class LineNumberedTextEdit final : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LineNumberedTextEdit(QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int gutterWidth() const;
    void updateGutterWidth();
    void placeGutter();
    void updateGutter(const QRect &rect, int dy);
    void paintGutter(const QPaintEvent &event);

    QWidget *m_gutter;
};
