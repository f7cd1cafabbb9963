#pragma once

#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"
#include "platform/edgestrip.h"

#include <QMainWindow>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>

namespace Ui {
class TMainForm;
}
class QMenu;
class TSecondaryForm;
class TrayPresence;

// The menu-bar window: the newspaper menus and the commands that open the
// secondary windows. The program lives in the notification area: closing the
// window hides it, and the window docks at the screen's edges.
class TMainForm final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainForm)

public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // The icon's menu and the window's context menu. Not a child of the
    // window: the icon's menu works while a secondary window disables it.
    QMenu *PopupMenu1 = nullptr;
    QSystemTrayIcon *TrayIcon = nullptr;
    // The auto-hide timer: it runs exactly while the window is docked.
    QTimer Timer1;
    Qt::Edges FDockEdges;

    // A click on the notification icon.
    void WMTrayIcon(QSystemTrayIcon::ActivationReason reason);
    void Timer1Timer();

    // The window-set rule: while one of these windows is open the main
    // window is disabled; closing it enables the main window again.
    void followSecondaryWindows(const QList<TSecondaryForm *> &windows);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // The paper items' click handlers: domestic and foreign.
    void MyPopupHandler1(QAction *sender);
    void MyPopupHandler2(QAction *sender);

    void N5Click();
    void N6Click();
    void N7Click();
    void N8Click();
    void RightExitClick();

    void FormCreate();
    void FormShow();
    void FormClose(QCloseEvent *event);
    void SecondaryFormOpened();
    void SecondaryFormClosed();
    // The user has dragged the window: it is kept on the screen and docked.
    void WMMoving();
    void setUpTimer();
    void addIcon();
    bool isUnderPointer();
    void openNewspaperSite(const QString &table, const QString &name);
    void connectHandlers();
    void addFindAction();
    void installAccelerators();

    Ui::TMainForm *m_ui;
    CatalogueConnection ADOConnection1;
    CatalogueQuery ADOQuery1;
    bool m_centred = false;
    bool m_formShown = false;
    // Whether the window was under the pointer at the last tick.
    bool m_wasUnderPointer = false;
    std::unique_ptr<QMenu> m_popupMenu;
    EdgeStrip m_edgeStrip{this};
    TrayPresence *m_tray = nullptr;
};

extern TMainForm *MainForm;
