#include "mainwin/FolderListWidget.h"

#include "mainwin/FolderPaths.h"
#include "platform/ExactName.h"
#include "platform/PathIdentity.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

namespace {
constexpr int PathRole = Qt::UserRole + 1;
}

FolderListWidget::FolderListWidget(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setIndentation(12);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { requestOpen(item); });
}

void FolderListWidget::setPath(const QString &folder)
{
    // The one place a folder path enters the tree: made normal here, as the kernel
    // reaches it ("link/.." goes up from the link's target).
    const QString normal = PathIdentity::normalised(folder);
    const QString clean = withoutTrailingSlash(normal.isEmpty() ? folder : normal);
    const QStringList subfolders = subfolderNames(clean);
    const bool changed = clean != m_path;
    m_path = clean;
    rebuild(clean, subfolders);
    if (changed)
        Q_EMIT pathChanged(m_path);
}

void FolderListWidget::refresh()
{
    if (!m_path.isEmpty())
        rebuild(m_path, subfolderNames(m_path));
}

void FolderListWidget::rebuild(const QString &folder, const QStringList &subfolders)
{
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    clear();
    QTreeWidgetItem *parentItem = nullptr;
    for (const QString &ancestor : ancestorChain(folder)) {
        const QString label = ancestor == QLatin1String("/") ? ancestor : ExactName::shown(PathTail(ancestor));
        auto *item = parentItem ? new QTreeWidgetItem(parentItem, {label}) : new QTreeWidgetItem(this, {label});
        item->setData(0, PathRole, ancestor);
        item->setIcon(0, open);
        item->setExpanded(true);
        parentItem = item;
    }
    for (const QString &name : subfolders) {
        auto *item = new QTreeWidgetItem(parentItem, {ExactName::shown(name)});
        item->setData(0, PathRole, folder == QLatin1String("/") ? folder + name : folder + QLatin1Char('/') + name);
        item->setIcon(0, closed);
    }
    expandAll();
    setCurrentItem(parentItem);
    scrollToItem(parentItem);
}

QString FolderListWidget::highlightedPath() const
{
    const QTreeWidgetItem *item = currentItem();
    return item ? item->data(0, PathRole).toString() : m_path;
}

QStringList FolderListWidget::entries() const
{
    QStringList result;
    for (QTreeWidgetItemIterator it(const_cast<FolderListWidget *>(this)); *it; ++it)
        result.append((*it)->data(0, PathRole).toString());
    return result;
}

bool FolderListWidget::highlight(const QString &folder)
{
    // Names here differ by letter case alone ("Old" beside "old"): the exact name wins,
    // and only without one does a name that differs in case alone count.
    const QString wanted = withoutTrailingSlash(folder);
    for (Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (QTreeWidgetItemIterator it(this); *it; ++it) {
            if ((*it)->data(0, PathRole).toString().compare(wanted, sensitivity) == 0) {
                setCurrentItem(*it);
                scrollToItem(*it);
                return true;
            }
        }
    }
    return false;
}

void FolderListWidget::requestOpen(QTreeWidgetItem *item)
{
    if (item)
        Q_EMIT openRequested(item->data(0, PathRole).toString());
}

void FolderListWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        requestOpen(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
