#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

// An up-down control beside a number label: each click moves the label's number by 1
// within the range. The label holds the value; the control only changes it.
class UpDownWidget : public QWidget
{
    Q_OBJECT
public:
    UpDownWidget(QLabel *buddy, int minimum, int maximum, QWidget *parent = nullptr);

    // The label's number, or nullopt-like `ok` false when the label holds no number.
    int value(bool *ok = nullptr) const;
    void setValue(int value);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

private:
    void stepBy(int delta);

    QLabel *m_buddy;
    int m_minimum;
    int m_maximum;
    QToolButton *m_up;
    QToolButton *m_down;
};
