#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QWidget;

// Answers the modal dialogs a call under test opens. While it lives it polls for the
// active modal widget and hands each one it finds to `answer`. A dialog the answer leaves
// open fails the test within seconds (UnexpectedDialogGuard) instead of hanging it.
class ModalDialogAnswerer : public QObject
{
    Q_OBJECT

public:
    explicit ModalDialogAnswerer(std::function<void(QWidget *)> answer = {});

    int dialogsSeen() const { return m_seen; }

private:
    void poll();

    std::function<void(QWidget *)> m_answer;
    QTimer m_timer;
    QPointer<QWidget> m_current;
    int m_seen = 0;
};

// Clicks a message box's standard button, e.g. QMessageBox::Ok.
void clickMessageBoxButton(QWidget *dialog, int standardButton);
