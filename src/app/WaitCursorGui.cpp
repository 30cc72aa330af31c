#include "app/WaitCursorGui.h"

#include <QApplication>

WaitCursor::WaitCursor(QWidget *window) : m_window(window)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_window) {
        m_wasEnabled = m_window->isEnabled();
        m_window->setEnabled(false);
    }
}

WaitCursor::~WaitCursor()
{
    if (m_window)
        m_window->setEnabled(m_wasEnabled);
    QApplication::restoreOverrideCursor();
}
