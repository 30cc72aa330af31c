#include "app/WaitCursorGui.h"

#include <QApplication>

WaitCursor::WaitCursor(QWidget *window) : m_window(window)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_window) {
        m_wasEnabled = m_window->isEnabled();
        // Only the guard that disables the window gives the focus back; a nested one
        // finds it disabled and the focus already gone.
        if (m_wasEnabled) {
            QWidget *focus = QApplication::focusWidget();
            if (focus && focus->window() == m_window->window())
                m_focus = focus;
        }
        m_window->setEnabled(false);
    }
}

WaitCursor::~WaitCursor()
{
    if (m_window) {
        m_window->setEnabled(m_wasEnabled);
        // Qt moves the focus off a window while it is disabled and never brings it back.
        if (m_wasEnabled && m_focus && m_focus->isEnabled() && m_focus->isVisible())
            m_focus->setFocus(Qt::OtherFocusReason);
    }
    QApplication::restoreOverrideCursor();
}
