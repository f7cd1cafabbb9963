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

void markLevel(const QList<QAction *> &level, bool farEast)
{
    QList<MenuEntry> entries;
    entries.reserve(level.size());
    for (const QAction *action : level)
        entries.append({action->isSeparator() ? QString() : action->text(), action->isVisible()});
    const QStringList captions = assignAccelerators(entries, farEast);
    for (qsizetype i = 0; i < level.size(); ++i) {
        if (level.at(i)->text() != captions.at(i))
            level.at(i)->setText(captions.at(i));
    }
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
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, farEast] {
        markLevel(menu->actions(), farEast);
        for (QAction *action : menu->actions()) {
            if (action->menu())
                installAutomaticAccelerators(action->menu(), farEast);
        }
    });
}

} // namespace menus
