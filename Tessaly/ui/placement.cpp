#include "placement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tessaly {

QPoint CascadePosition(int index, QSize size, QSize room, int step) {
    step = std::max(step, 1);
    const int free = std::min(room.width() - size.width(), room.height() - size.height());
    const int places = free < 0 ? 1 : 1 + free / step;
    const int k = std::max(index, 0) % places;
    return {k * step, k * step};
}

QRect KeptWithin(QRect wanted, QRect area) {
    wanted.setSize(wanted.size().boundedTo(area.size()));
    wanted.moveLeft(std::clamp(wanted.left(), area.left(), area.right() + 1 - wanted.width()));
    wanted.moveTop(std::clamp(wanted.top(), area.top(), area.bottom() + 1 - wanted.height()));
    return wanted;
}

void PlaceOnScreen(QWidget* window, QWidget* over) {
    QWidget* frameOwner = window->isVisible() ? window : over->window();
    const QRect outer = frameOwner->frameGeometry();
    const QRect inner = frameOwner->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    QScreen* screen = over->screen();
    if (screen == nullptr) return;
    QRect wanted(QPoint(), window->size().grownBy(frame));
    wanted.moveCenter(over->mapToGlobal(over->rect().center()));
    const QRect kept = KeptWithin(wanted, screen->availableGeometry());
    // resize() takes the inner size, move() the frame's top left.
    window->resize(kept.marginsRemoved(frame).size());
    window->move(kept.topLeft());
}

} // namespace tessaly
