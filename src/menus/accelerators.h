#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace menus {

struct MenuEntry
{
    QString caption;
    bool visible = true;

    friend bool operator==(const MenuEntry &, const MenuEntry &) = default;
};

// Picks a keyboard accelerator for each item of one menu level and returns the level's captions
// in menu order, rewritten where a mark was added or a conflicting one removed; items that take
// no part come back unchanged. Each of "1".."9", "0", "A".."Z" marks at most one item.
//
// farEast: the system's language writes with double-byte characters (Chinese, Japanese, Korean).
// There, a caption holding such a character is marked by appending "(&X)" (before a trailing
// "..."), and items left without a letter of their own take the pool's remaining characters.
// Elsewhere, and for captions without double-byte characters, "&" goes before the chosen
// character of the caption.
//
// Running it again on its own output changes nothing.
QStringList assignAccelerators(const QList<MenuEntry> &level, bool farEast);

} // namespace menus
