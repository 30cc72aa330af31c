#pragma once

#include <QPointer>
#include <QWidget>

// The hourglass pointer and a disabled window for the length of a scope, restored on
// every way out of it, exceptions included.
class WaitCursor
{
public:
    explicit WaitCursor(QWidget *window);
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    QPointer<QWidget> m_window;
    bool m_wasEnabled = true;
};
