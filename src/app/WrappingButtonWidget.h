#pragma once

#include <QCheckBox>
#include <QRadioButton>

// Check boxes and option buttons whose captions wrap onto further lines, so that a
// dialog with long captions (a whole sentence each) stays as wide as a screen allows.
// The caption stays the button's text().
class WrappingCheckBox : public QCheckBox
{
public:
    explicit WrappingCheckBox(QWidget *parent = nullptr) : QCheckBox(parent) {}
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

class WrappingRadioButton : public QRadioButton
{
public:
    explicit WrappingRadioButton(QWidget *parent = nullptr) : QRadioButton(parent) {}
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};
