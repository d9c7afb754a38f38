// The program's icon: a small black-and-white pattern on a grid.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tessaly {

/// The icon drawn at `size` pixels.
QPixmap appPixmap(int size);
QIcon appIcon();

} // namespace tessaly
