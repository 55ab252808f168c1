#pragma once

#include <QObject>

// Blocks an object's signals for the length of a scope. Signals that were already blocked
// stay blocked afterwards: only a blocker that did the blocking lifts it.
class SignalBlocker final
{
public:
    explicit SignalBlocker(QObject *object)
        : m_object(object)
        , m_blocked(!object->signalsBlocked())
    {
        if (m_blocked)
            m_object->blockSignals(true);
    }
    ~SignalBlocker()
    {
        if (m_blocked)
            m_object->blockSignals(false);
    }

    Q_DISABLE_COPY(SignalBlocker)

private:
    QObject *m_object;
    bool m_blocked;
};
