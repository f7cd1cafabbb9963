#include "platform/edgestrip.h"

#include "platform/pointer.h"

#include <QPalette>
#include <QWidget>

namespace {

std::unique_ptr<QWidget> makeStrip()
{
    auto strip = std::make_unique<QWidget>(
        nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                     Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    strip->setObjectName(QStringLiteral("EdgeStrip"));
    strip->setAttribute(Qt::WA_ShowWithoutActivating);
    strip->setAttribute(Qt::WA_X11DoNotAcceptFocus);
    QPalette colours = strip->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Highlight));
    strip->setPalette(colours);
    strip->setAutoFillBackground(true);
    return strip;
}

} // namespace

EdgeStrip::EdgeStrip(QWidget *window) : m_window(window), m_strip(makeStrip()) {}

EdgeStrip::~EdgeStrip() = default;

void EdgeStrip::place(QPoint position)
{
    moveWindow(position);
    if (isStandingIn()) {
        m_strip->hide();
        m_window->show();
    }
}

void EdgeStrip::slideOut(QPoint position, const QRect &visiblePart)
{
    const bool hiddenByUser = !m_window->isVisible() && !isStandingIn();
    if (hiddenByUser || m_window->isMinimized()) {
        moveWindow(position);
        return;
    }
    // Asked at an earlier tick, the window manager has put it elsewhere.
    const bool refused = m_asked == position && m_window->pos() != position;
    m_managerKeepsOnScreen = m_managerKeepsOnScreen || refused;
    if (m_managerKeepsOnScreen)
        standIn(position, visiblePart);
    else if (m_window->pos() != position)
        moveWindow(position);
}

bool EdgeStrip::isOwnMove() const
{
    return m_moving || m_window->pos() == m_asked;
}

bool EdgeStrip::isStandingIn() const
{
    return m_strip->isVisible();
}

bool EdgeStrip::isUnderPointer() const
{
    return pointer::isOver(m_strip.get());
}

void EdgeStrip::moveWindow(QPoint position)
{
    m_asked = position;
    m_moving = true;
    m_window->move(position);
    m_moving = false;
}

void EdgeStrip::standIn(QPoint position, const QRect &visiblePart)
{
    if (isStandingIn())
        return;
    m_window->hide();
    // The hidden window keeps the slid-out position, where the window manager
    // has no say.
    moveWindow(position);
    m_strip->setGeometry(visiblePart);
    m_strip->show();
    m_strip->raise();
}
