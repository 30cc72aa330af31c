#include "output/PathListWidget.h"

#include "app/ContextHelpGui.h"

#include <QAbstractButton>
#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>

namespace {

class ListItemTip : public QObject
{
public:
    explicit ListItemTip(QListWidget *list) : QObject(list), m_list(list) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseMove) {
            const auto *move = static_cast<QMouseEvent *>(event);
            ShowListItemTip(m_list, move->buttons(), move->position().toPoint());
        } else if (event->type() == QEvent::Leave) {
            m_list->setToolTip(QString());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QListWidget *m_list;
};

} // namespace

int LoadPathListInto(Prompter &prompter, const AppState &state, PathListKind kind, QAbstractButton *button,
                     QListWidget *list)
{
    button->setEnabled(false);
    list->clear();
    list->setToolTip(QString());
    const std::optional<QStringList> paths = LoadPathList(prompter, state, kind);
    if (!paths)
        return 0;
    list->addItems(*paths);
    if (list->count() > 0) {
        list->clearSelection();
        list->setCurrentRow(-1, QItemSelectionModel::Clear);
        list->setEnabled(true);
    } else {
        list->setEnabled(false);
    }
    return list->count();
}

void ShowListItemTip(QListWidget *list, Qt::MouseButtons buttons, const QPoint &position)
{
    if (buttons != Qt::NoButton)
        return;
    const QListWidgetItem *item = list->itemAt(position);
    list->setToolTip(item ? item->text() : QString());
}

void InstallListItemTip(QListWidget *list)
{
    list->setMouseTracking(true);
    list->viewport()->setMouseTracking(true);
    list->viewport()->installEventFilter(new ListItemTip(list));
}

void SetHelpTopic(QWidget *control, const QString &topic)
{
    control->setWhatsThis(topic);
    ContextHelp::setTopic(control, topic);
}
