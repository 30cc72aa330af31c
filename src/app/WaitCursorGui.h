#pragma once

#include <QPointer>
#include <QWidget>

// The hourglass pointer and a disabled window for the length of a scope, restored on
// every way out of it, exceptions included. Disabling a window takes the keyboard focus
// away from its controls, so the guard gives it back to the control that had it.
class WaitCursor
{
public:
    explicit WaitCursor(QWidget *window);
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_focus;
    bool m_wasEnabled = true;
};
