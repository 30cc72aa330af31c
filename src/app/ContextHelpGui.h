#pragma once

#include <QObject>
#include <QPoint>

struct AppState;
class QWidget;

// Context help: releasing any mouse button but the left one over a control that has a
// help topic (its "helpTopic" property) shows the topic from the help file of the
// current language, in a pop-up at the pointer. Installed once on the application,
// so every window of the program follows the same rule.
class ContextHelp : public QObject
{
    Q_OBJECT
public:
    explicit ContextHelp(const AppState &state, QObject *parent = nullptr);

    // Shows the topic of `widget` at `globalPos`; false when it has none.
    bool showFor(QWidget *widget, const QPoint &globalPos) const;
    bool showTopic(const QString &topic, const QPoint &globalPos, QWidget *near) const;
    // The topic's HTML in the current language ("" when the help file has no such topic).
    QString topicText(const QString &topic) const;

    static void setTopic(QWidget *widget, const QString &topic);
    static QString topicOf(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const AppState &m_state;
};
