#pragma once

#include <QCheckBox>
#include <QRadioButton>

// Check boxes and option buttons whose captions wrap onto further lines, so that a
// dialog with long captions (a whole sentence each) stays as wide as a screen allows.
// The caption stays the button's text().
template <typename Button>
class WrappingButton : public Button
{
public:
    explicit WrappingButton(QWidget *parent = nullptr) : Button(parent) {}
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override { return this->rect().contains(pos); }
};

using WrappingCheckBox = WrappingButton<QCheckBox>;
using WrappingRadioButton = WrappingButton<QRadioButton>;

extern template class WrappingButton<QCheckBox>;
extern template class WrappingButton<QRadioButton>;
