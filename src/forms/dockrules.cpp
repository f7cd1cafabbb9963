#include "forms/dockrules.h"

#include <algorithm>

namespace dockrules {

namespace {
// The strip of a slid-out window that stays on the screen.
constexpr int stripWidth = 2;

int clampTo(int value, int low, int high)
{
    return std::min(std::max(low, value), high);
}

// Just past the screen's right and bottom edges, as Bounds' right and bottom.
int pastRight(const QRect &screen)
{
    return screen.x() + screen.width();
}
int pastBottom(const QRect &screen)
{
    return screen.y() + screen.height();
}
} // namespace

Bounds boundsOf(QPoint position, QSize frame)
{
    return {position.x(), position.y(), position.x() + frame.width(),
            position.y() + frame.height()};
}

Bounds clamp(Bounds proposed, QSize frame, const QRect &screen)
{
    // Not std::clamp: a window larger than the screen gives high < low, and
    // the upper limit must then win.
    return {clampTo(proposed.left, screen.left(), pastRight(screen) - frame.width()),
            clampTo(proposed.top, screen.top(), pastBottom(screen) - frame.height()),
            clampTo(proposed.right, screen.left() + frame.width(), pastRight(screen)),
            clampTo(proposed.bottom, screen.top() + frame.height(), pastBottom(screen))};
}

Qt::Edges dockEdges(Bounds clamped, const QRect &screen)
{
    Qt::Edges edges;
    const bool left = clamped.left == screen.left();
    const bool right = clamped.right == pastRight(screen);
    edges.setFlag(Qt::LeftEdge, left);
    edges.setFlag(Qt::RightEdge, right);
    if (!left && !right) {
        edges.setFlag(Qt::TopEdge, clamped.top == screen.top());
        edges.setFlag(Qt::BottomEdge, clamped.bottom == pastBottom(screen));
    }
    return edges;
}

QPoint shownPosition(QPoint position, QSize frame, const QRect &screen, Qt::Edges edges)
{
    if (edges & Qt::LeftEdge)
        position.setX(screen.left());
    if (edges & Qt::TopEdge)
        position.setY(screen.top());
    if (edges & Qt::RightEdge)
        position.setX(pastRight(screen) - frame.width());
    if (edges & Qt::BottomEdge)
        position.setY(pastBottom(screen) - frame.height());
    return position;
}

QPoint slidOutPosition(QPoint position, QSize frame, const QRect &screen, Qt::Edges edges)
{
    if (edges & Qt::LeftEdge)
        position.setX(screen.left() + stripWidth - frame.width());
    if (edges & Qt::TopEdge)
        position.setY(screen.top() + stripWidth - frame.height());
    if (edges & Qt::RightEdge)
        position.setX(pastRight(screen) - stripWidth);
    if (edges & Qt::BottomEdge)
        position.setY(pastBottom(screen) - stripWidth);
    return position;
}

QRect visiblePart(QPoint position, QSize frame, const QRect &screen)
{
    return QRect(position, frame).intersected(screen);
}

} // namespace dockrules
