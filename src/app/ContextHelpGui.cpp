#include "app/ContextHelpGui.h"

#include "app/AppState.h"
#include "app/HelpFile.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWhatsThis>
#include <QWidget>

namespace {
const char *const TopicProperty = "helpTopic";
}

ContextHelp::ContextHelp(const AppState &state, QObject *parent) : QObject(parent), m_state(state) {}

void ContextHelp::setTopic(QWidget *widget, const QString &topic)
{
    widget->setProperty(TopicProperty, topic);
}

QString ContextHelp::topicOf(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const QString topic = w->property(TopicProperty).toString();
        if (!topic.isEmpty())
            return topic;
    }
    return QString();
}

QString ContextHelp::topicText(const QString &topic) const
{
    const bool greek = m_state.LanguageGreek;
    return HelpFile::forPath(greek ? m_state.HelpFileGreek : m_state.HelpFileEnglish, greek).topic(topic);
}

bool ContextHelp::showTopic(const QString &topic, const QPoint &globalPos, QWidget *near) const
{
    const QString text = topicText(topic);
    if (text.isEmpty())
        return false;
    QWhatsThis::showText(globalPos, text, near);
    return true;
}

bool ContextHelp::showFor(QWidget *widget, const QPoint &globalPos) const
{
    const QString topic = topicOf(widget);
    return !topic.isEmpty() && showTopic(topic, globalPos, widget);
}

bool ContextHelp::eventFilter(QObject *watched, QEvent *event)
{
    // A text box opens its own edit menu on the right button before the release comes;
    // a control with a help topic shows its help instead.
    if (event->type() == QEvent::ContextMenu && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (!topicOf(widget).isEmpty() && widget->contextMenuPolicy() != Qt::CustomContextMenu) {
            showFor(widget, static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && watched->isWidgetType()) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton) {
            auto *widget = static_cast<QWidget *>(watched);
            if (!topicOf(widget).isEmpty())
                return showFor(widget, mouse->globalPosition().toPoint());
        }
    }
    return QObject::eventFilter(watched, event);
}
