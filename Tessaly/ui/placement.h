// Where new windows go: pattern windows cascade inside the workspace, the weights editor stays
// on the screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tessaly {

/// The place of the window number `index` (0-based) of a cascade in a workspace of `room`:
/// each window one `step` further down and to the right than the one before, starting again at
/// the top left once a window of `size` would no longer fit. A window larger than the room goes
/// to the top left.
QPoint CascadePosition(int index, QSize size, QSize room, int step);

/// `wanted` (a frame rectangle) moved, and shrunk if it must, so that it lies within `area`.
QRect KeptWithin(QRect wanted, QRect area);

/// Centres the top-level `window` over `over` and keeps its frame on the available area of the
/// screen `over` is on. Before the window is first shown its frame is not known yet; it is taken
/// to be as thick as that of `over`'s own top-level window.
void PlaceOnScreen(QWidget* window, QWidget* over);

} // namespace tessaly
