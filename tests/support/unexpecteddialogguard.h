#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

// Built into every test: a modal dialog that stays open for seconds is one no test answers,
// so the test fails at once, naming the dialog, and the dialog is closed so that the test
// goes on instead of hanging until CTest's timeout. Tests answer the dialogs they expect
// within a few polls (ModalDialogAnswerer, or timers of their own).
// No Q_OBJECT: it has no signals or slots, and is built into test programs one by one.
class UnexpectedDialogGuard : public QObject
{
public:
    explicit UnexpectedDialogGuard(QObject *parent);

private:
    void poll();

    QTimer m_timer;
    QPointer<QWidget> m_current;
    int m_pollsOnCurrent = 0;
};
