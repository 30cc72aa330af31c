#include "app/DialogPlacementGui.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

void CentreOverParent(QWidget *dialog)
{
    const QWidget *main = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    if (!main)
        return;
    const QRect outer = main->frameGeometry();
    const QRect own = dialog->frameGeometry();
    QPoint at(outer.left() + (outer.width() - own.width()) / 2, outer.top() + (outer.height() - own.height()) / 2);
    if (const QScreen *screen = main->screen()) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - own.width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - own.height())));
    }
    dialog->move(at);
}
