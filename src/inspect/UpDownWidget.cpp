#include "inspect/UpDownWidget.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

UpDownWidget::UpDownWidget(QLabel *buddy, int minimum, int maximum, QWidget *parent)
    : QWidget(parent), m_buddy(buddy), m_minimum(minimum), m_maximum(maximum)
{
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

int UpDownWidget::value(bool *ok) const
{
    return m_buddy->text().toInt(ok);
}

void UpDownWidget::setValue(int value)
{
    m_buddy->setText(QString::number(qBound(m_minimum, value, m_maximum)));
}

void UpDownWidget::stepBy(int delta)
{
    bool ok = false;
    const int current = value(&ok);
    setValue(ok ? current + delta : m_minimum);
}
