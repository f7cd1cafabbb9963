#include "menus/menuhook.h"

#include "menus/accelerators.h"

#include <QMenu>
#include <QMenuBar>

namespace menus {

namespace {
// Set on a menu once its hook is connected, so a menu is hooked only once.
const char *const hookedProperty = "kelvaneAccelerators";
} // namespace

bool isFarEastLocale(const QLocale &locale)
{
    const QLocale::Language language = locale.language();
    return language == QLocale::Chinese || language == QLocale::Japanese ||
           language == QLocale::Korean;
}

namespace {

QList<MenuEntry> entriesOf(const QList<QAction *> &level)
{
    QList<MenuEntry> entries;
    entries.reserve(level.size());
    for (const QAction *action : level)
        entries.append({action->isSeparator() ? QString() : action->text(), action->isVisible()});
    return entries;
}

void markEntries(const QList<QAction *> &level, const QList<MenuEntry> &entries, bool farEast)
{
    const QStringList captions = assignAccelerators(entries, farEast);
    for (qsizetype i = 0; i < level.size(); ++i) {
        if (entries.at(i).caption != captions.at(i))
            level.at(i)->setText(captions.at(i));
    }
}

// One drop-down's pass as it is about to show. A second pass over the captions the last one
// left changes nothing, so a level whose items, captions and visibility are as the last pass
// left them is not passed again (re-opening a large province costs only the comparison).
class LevelPass
{
public:
    LevelPass(QMenu *menu, bool farEast) : m_menu(menu), m_farEast(farEast) {}

    void operator()()
    {
        const QList<QAction *> level = m_menu->actions();
        const QList<MenuEntry> entries = entriesOf(level);
        if (level == m_level && entries == m_entries)
            return;
        markEntries(level, entries, m_farEast);
        for (QAction *action : level) {
            if (action->menu())
                installAutomaticAccelerators(action->menu(), m_farEast);
        }
        m_level = level;
        m_entries = entriesOf(level);
    }

private:
    QMenu *m_menu;
    bool m_farEast;
    QList<QAction *> m_level;
    QList<MenuEntry> m_entries;
};

} // namespace

void markLevel(const QList<QAction *> &level, bool farEast)
{
    markEntries(level, entriesOf(level), farEast);
}

void installAutomaticAccelerators(QMenuBar *bar, bool farEast)
{
    markLevel(bar->actions(), farEast);
    for (QAction *action : bar->actions()) {
        if (action->menu())
            installAutomaticAccelerators(action->menu(), farEast);
    }
}

void installAutomaticAccelerators(QMenu *menu, bool farEast)
{
    if (menu->property(hookedProperty).toBool())
        return;
    menu->setProperty(hookedProperty, true);
    // Sub-menus are hooked as their parent opens, so a large catalogue costs
    // nothing at start-up.
    QObject::connect(menu, &QMenu::aboutToShow, menu, LevelPass(menu, farEast));
}

} // namespace menus
