#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

// The main window parks at the edges of the primary screen. While the user
// drags it, it cannot leave the screen; touching an edge docks it there, and a
// docked window slides out of sight, leaving a strip 2 pixels wide, whenever
// the pointer is not over it. Positions are those of the window's frame; the
// screen is the primary screen's whole area, which need not start at (0, 0)
// on a desktop of several monitors.
namespace dockrules {

// A frame as Left, Top, Right and Bottom; Right and Bottom lie just past it.
struct Bounds
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Bounds &) const = default;
};

Bounds boundsOf(QPoint position, QSize frame);

// Keeps a proposed frame on the screen, one coordinate at a time; `frame` is
// the window's current outer size.
Bounds clamp(Bounds proposed, QSize frame, const QRect &screen);

// The edges a clamped frame is docked to. A side edge wins: a window in a
// corner is docked to its side edge only.
Qt::Edges dockEdges(Bounds clamped, const QRect &screen);

// Where a docked window shows fully, and where it slides out to. The rules
// run left, top, right, bottom, so a later edge wins over an earlier one.
QPoint shownPosition(QPoint position, QSize frame, const QRect &screen, Qt::Edges edges);
QPoint slidOutPosition(QPoint position, QSize frame, const QRect &screen, Qt::Edges edges);

// The part of a frame at `position` that lies on the screen.
QRect visiblePart(QPoint position, QSize frame, const QRect &screen);

} // namespace dockrules
