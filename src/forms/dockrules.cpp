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
} // namespace

Bounds boundsOf(QPoint position, QSize frame)
{
    return {position.x(), position.y(), position.x() + frame.width(),
            position.y() + frame.height()};
}

Bounds clamp(Bounds proposed, QSize frame, QSize screen)
{
    // Not std::clamp: a window larger than the screen gives high < low, and
    // the upper limit must then win.
    return {clampTo(proposed.left, 0, screen.width() - frame.width()),
            clampTo(proposed.top, 0, screen.height() - frame.height()),
            clampTo(proposed.right, frame.width(), screen.width()),
            clampTo(proposed.bottom, frame.height(), screen.height())};
}

Qt::Edges dockEdges(Bounds clamped, QSize screen)
{
    Qt::Edges edges;
    const bool left = clamped.left == 0;
    const bool right = clamped.right == screen.width();
    edges.setFlag(Qt::LeftEdge, left);
    edges.setFlag(Qt::RightEdge, right);
    if (!left && !right) {
        edges.setFlag(Qt::TopEdge, clamped.top == 0);
        edges.setFlag(Qt::BottomEdge, clamped.bottom == screen.height());
    }
    return edges;
}

QPoint shownPosition(QPoint position, QSize frame, QSize screen, Qt::Edges edges)
{
    if (edges & Qt::LeftEdge)
        position.setX(0);
    if (edges & Qt::TopEdge)
        position.setY(0);
    if (edges & Qt::RightEdge)
        position.setX(screen.width() - frame.width());
    if (edges & Qt::BottomEdge)
        position.setY(screen.height() - frame.height());
    return position;
}

QPoint slidOutPosition(QPoint position, QSize frame, QSize screen, Qt::Edges edges)
{
    if (edges & Qt::LeftEdge)
        position.setX(stripWidth - frame.width());
    if (edges & Qt::TopEdge)
        position.setY(stripWidth - frame.height());
    if (edges & Qt::RightEdge)
        position.setX(screen.width() - stripWidth);
    if (edges & Qt::BottomEdge)
        position.setY(screen.height() - stripWidth);
    return position;
}

QRect visiblePart(QPoint position, QSize frame, QSize screen)
{
    return QRect(position, frame).intersected(QRect(QPoint(0, 0), screen));
}

} // namespace dockrules
