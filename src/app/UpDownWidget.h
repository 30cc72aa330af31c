#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

// An up-down control bound to the label that shows its number: the up arrow raises
// the number by one, the down arrow lowers it, never past the range. The label is the
// working copy of the value.
class UpDownWidget : public QWidget
{
    Q_OBJECT
public:
    UpDownWidget(QLabel *buddy, int minimum, int maximum, QWidget *parent = nullptr);

    void setValue(int value);
    // The label's number; `ok` (when given) is false when the label holds no number.
    int value(bool *ok = nullptr) const;
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    QToolButton *upButton() const { return up; }
    QToolButton *downButton() const { return down; }

    QToolButton *up = nullptr;
    QToolButton *down = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void step(int by);

    QLabel *m_buddy;
    int m_minimum;
    int m_maximum;
};
