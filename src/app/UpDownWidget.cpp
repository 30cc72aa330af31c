#include "app/UpDownWidget.h"

#include <QKeyEvent>
#include <algorithm>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

UpDownWidget::UpDownWidget(QLabel *buddy, int minimum, int maximum, QWidget *parent)
    : QWidget(parent), m_buddy(buddy), m_minimum(minimum), m_maximum(maximum)
{
    setFocusPolicy(Qt::StrongFocus);
    up = new QToolButton(this);
    up->setObjectName(QStringLiteral("up"));
    up->setArrowType(Qt::UpArrow);
    up->setAutoRepeat(true);
    down = new QToolButton(this);
    down->setObjectName(QStringLiteral("down"));
    down->setArrowType(Qt::DownArrow);
    down->setAutoRepeat(true);
    for (QToolButton *b : {up, down}) {
        b->setFixedSize(18, 11);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { step(1); });
    connect(down, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDownWidget::setValue(int value)
{
    m_buddy->setText(QString::number(std::clamp(value, m_minimum, m_maximum)));
}

int UpDownWidget::value(bool *ok) const
{
    return m_buddy->text().toInt(ok);
}

void UpDownWidget::step(int by)
{
    bool ok = false;
    const int current = value(&ok);
    setValue(ok ? current + by : m_minimum);
}

void UpDownWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Up)
        step(1);
    else if (event->key() == Qt::Key_Down)
        step(-1);
    else
        QWidget::keyPressEvent(event);
}
