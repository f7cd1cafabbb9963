#include "forms/mainfrm.h"

#include "catalogue/connectionsettings.h"
#include "forms/aboutfrm.h"
#include "forms/newspapermenus.h"
#include "forms/setfrm.h"
#include "forms/statisticfrm.h"
#include "forms/windowplacement.h"
#include "menus/menuhook.h"
#include "platform/application.h"
#include "platform/apptitle.h"
#include "platform/browser.h"
#include "platform/messagebox.h"
#include "ui_mainfrm.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLayout>

TMainForm *MainForm = nullptr;

namespace {
const QString applicationTitle = QStringLiteral("KelvaneV1.0");
constexpr int autoHideIntervalMs = 200;
} // namespace

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent), m_ui(new Ui::TMainForm), ADOConnection1(connectionsettings::shortForm),
      ADOQuery1(QStringLiteral("ADOQuery1"), ADOConnection1)
{
    m_ui->setupUi(this);
    // A fixed single border with the system menu as its only border icon.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(m_ui->N9);
    PopupMenu1->addAction(m_ui->RightExit);
    connectCommands();

    MainForm = this;
    runHandler([this] { FormCreate(); });
    installAccelerators();
}

TMainForm::~TMainForm()
{
    if (MainForm == this)
        MainForm = nullptr;
    delete m_ui;
}

void TMainForm::connectCommands()
{
    connect(m_ui->N5, &QAction::triggered, this, &TMainForm::N5Click);
    connect(m_ui->N9, &QAction::triggered, this, &TMainForm::N5Click);
    connect(m_ui->N6, &QAction::triggered, this, &TMainForm::N6Click);
    connect(m_ui->N7, &QAction::triggered, this, &TMainForm::N7Click);
    connect(m_ui->N8, &QAction::triggered, this, &TMainForm::N8Click);
    connect(m_ui->RightExit, &QAction::triggered, this, &TMainForm::RightExitClick);
}

void TMainForm::FormCreate()
{
    apptitle::setTitle(applicationTitle);
    setUpTimer();
    addIcon();
    newspapermenus::build(ADOQuery1, m_ui->N1, catalogue::domesticTable,
                          [this](QAction *paper) { MyPopupHandler1(paper); });
    newspapermenus::build(ADOQuery1, m_ui->N2, catalogue::foreignTable,
                          [this](QAction *paper) { MyPopupHandler2(paper); });
}

// Menus take their accelerators as they open, after the build has read them.
void TMainForm::installAccelerators()
{
    const bool farEast = menus::isFarEastLocale();
    menus::installAutomaticAccelerators(m_ui->MainMenu1, farEast);
    menus::installAutomaticAccelerators(PopupMenu1, farEast);
}

void TMainForm::setUpTimer()
{
    Timer1.stop();
    Timer1.setInterval(autoHideIntervalMs);
}

void TMainForm::addIcon() {}

void TMainForm::MyPopupHandler1(QAction *sender)
{
    runHandler(
        [&] { openNewspaperSite(catalogue::domesticTable, newspapermenus::paperName(sender)); });
}

void TMainForm::MyPopupHandler2(QAction *sender)
{
    runHandler(
        [&] { openNewspaperSite(catalogue::foreignTable, newspapermenus::paperName(sender)); });
}

// Looks the paper up by the name its item was built from and opens the first
// row's address; a name that is no longer in the catalogue opens nothing.
void TMainForm::openNewspaperSite(const QString &table, const QString &name)
{
    ADOQuery1.open(statements::addressOfPaper(table, name));
    if (ADOQuery1.eof())
        return;
    const QString address = ADOQuery1.fieldAsText(QStringLiteral("purl"));
    if (!browser::open(address))
        messagebox::showInformation(QStringLiteral("此报纸的链接不是网址，无法打开！"));
}

void TMainForm::N5Click()
{
    AboutForm->openFromMainWindow();
}

void TMainForm::N6Click()
{
    messagebox::showInformation(QStringLiteral("设置完毕后请重新启动程序，设置才能生效！"));
    SetForm->openFromMainWindow();
}

void TMainForm::N7Click() {}

void TMainForm::N8Click()
{
    StatisticForm->openFromMainWindow();
}

void TMainForm::RightExitClick() {}

void TMainForm::FormShow() {}

void TMainForm::showEvent(QShowEvent *event)
{
    windowplacement::centreFirstTime(this, m_centred);
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // Until the program lives in the notification area, closing ends it.
    event->accept();
    QCoreApplication::quit();
}

void TMainForm::contextMenuEvent(QContextMenuEvent *event)
{
    PopupMenu1->popup(event->globalPos());
}
