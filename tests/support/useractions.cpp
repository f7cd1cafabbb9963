#include "useractions.h"

#include "forms/mainfrm.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <algorithm>

namespace {

// A menu of its own (a pop-up menu) opens by itself; a submenu through its
// item in the menu above.
bool reachable(const QAction *action)
{
    if (!action->isEnabled() || !action->isVisible())
        return false;
    const QList<QObject *> holders = action->associatedObjects();
    return std::any_of(holders.cbegin(), holders.cend(), [](const QObject *holder) {
        const auto *menu = qobject_cast<const QMenu *>(holder);
        return !menu || menu->menuAction()->associatedObjects().isEmpty() ||
               reachable(menu->menuAction());
    });
}

} // namespace

void triggerAction(QAction *action)
{
    QVERIFY2(action, "no such action");
    QVERIFY2(reachable(action),
             qPrintable(u"no user could click "_qs + action->objectName() + u' ' + action->text()));
    action->trigger();
}

QStringList captions(const QWidget *holder)
{
    QStringList result;
    for (const QAction *action : holder->actions())
        result.append(action->text());
    return result;
}

void triggerAction(const QString &objectName)
{
    QVERIFY2(MainForm, "no main window");
    QAction *action = MainForm->findChild<QAction *>(objectName);
    QVERIFY2(action, qPrintable(objectName));
    triggerAction(action);
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->clear();
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(edit, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(c);
            QApplication::sendEvent(edit, &commit);
        }
    }
}
