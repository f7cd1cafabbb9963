#pragma once

#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"

#include <QMainWindow>
#include <QTimer>

namespace Ui {
class TMainForm;
}
class QMenu;

// The menu-bar window: the newspaper menus and the commands that open the
// secondary windows.
class TMainForm final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainForm)

public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    QMenu *PopupMenu1 = nullptr;
    QTimer Timer1;

    // The paper items' click handlers: domestic and foreign.
    void MyPopupHandler1(QAction *sender);
    void MyPopupHandler2(QAction *sender);

    void N5Click();
    void N6Click();
    void N7Click();
    void N8Click();
    void RightExitClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void setUpTimer();
    void addIcon();
    void openNewspaperSite(const QString &table, const QString &name);
    void connectCommands();
    void installAccelerators();

    Ui::TMainForm *m_ui;
    CatalogueConnection ADOConnection1;
    CatalogueQuery ADOQuery1;
    bool m_centred = false;
};

extern TMainForm *MainForm;
