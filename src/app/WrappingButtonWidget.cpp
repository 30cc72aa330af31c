#include "app/WrappingButtonWidget.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <type_traits>

namespace {

// The widest a caption line grows before it wraps, and the narrowest it is squeezed to.
constexpr int PreferredTextWidth = 560;
constexpr int MinimumTextWidth = 360;

struct Metrics
{
    int indicator;
    int spacing;
};

Metrics metricsOf(const QWidget *w, bool radio)
{
    const QStyle *s = w->style();
    return radio ? Metrics{s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w),
                           s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w)}
                 : Metrics{s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w),
                           s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w)};
}

QRect textBounds(const QWidget *w, const QString &text, int textWidth)
{
    return w->fontMetrics().boundingRect(QRect(0, 0, std::max(textWidth, 1), 100000),
                                         Qt::TextWordWrap | Qt::AlignLeft, text);
}

int heightFor(const QWidget *w, bool radio, const QString &text, int width)
{
    const Metrics m = metricsOf(w, radio);
    const int textHeight = textBounds(w, text, width - m.indicator - m.spacing - 2).height();
    return std::max(textHeight, m.indicator) + 4;
}

QSize hintFor(const QWidget *w, bool radio, const QString &text, int textWidth)
{
    const Metrics m = metricsOf(w, radio);
    const int oneLine = w->fontMetrics().horizontalAdvance(text);
    const int width = std::min(oneLine, textWidth) + m.indicator + m.spacing + 4;
    return {width, heightFor(w, radio, text, width)};
}

template <typename Button>
void paintWrapped(Button *button, bool radio)
{
    QStylePainter painter(button);
    QStyleOptionButton option;
    option.initFrom(button);
    option.state |= button->isChecked() ? QStyle::State_On : QStyle::State_Off;
    if (button->isDown())
        option.state |= QStyle::State_Sunken;
    const Metrics m = metricsOf(button, radio);
    option.rect = QRect(0, 2, m.indicator, m.indicator);
    painter.drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, option);
    const QRect textRect = button->rect().adjusted(m.indicator + m.spacing, 0, 0, 0);
    painter.setPen(button->palette().color(button->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                           QPalette::WindowText));
    painter.drawText(textRect, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, button->text());
    if (button->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(button);
        focus.rect = textRect.intersected(textBounds(button, button->text(), textRect.width()).translated(textRect.topLeft()));
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace

template <typename Button>
constexpr bool isRadio = std::is_same_v<Button, QRadioButton>;

template <typename Button>
QSize WrappingButton<Button>::sizeHint() const
{
    return hintFor(this, isRadio<Button>, this->text(), PreferredTextWidth);
}

template <typename Button>
QSize WrappingButton<Button>::minimumSizeHint() const
{
    return hintFor(this, isRadio<Button>, this->text(), MinimumTextWidth);
}

template <typename Button>
int WrappingButton<Button>::heightForWidth(int width) const
{
    return heightFor(this, isRadio<Button>, this->text(), width);
}

template <typename Button>
void WrappingButton<Button>::paintEvent(QPaintEvent *)
{
    paintWrapped(this, isRadio<Button>);
}

template class WrappingButton<QCheckBox>;
template class WrappingButton<QRadioButton>;
