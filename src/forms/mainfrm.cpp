#include "forms/mainfrm.h"

#include "catalogue/connectionsettings.h"
#include "forms/aboutfrm.h"
#include "forms/dockrules.h"
#include "forms/findfrm.h"
#include "forms/newspapermenus.h"
#include "forms/paperopening.h"
#include "forms/secondaryform.h"
#include "forms/setfrm.h"
#include "forms/statisticfrm.h"
#include "forms/windowplacement.h"
#include "menus/menuhook.h"
#include "platform/application.h"
#include "platform/apptitle.h"
#include "platform/messagebox.h"
#include "platform/pointer.h"
#include "platform/programicon.h"
#include "platform/trayhost.h"
#include "platform/traypresence.h"
#include "ui_mainfrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QLayout>
#include <QMoveEvent>
#include <QScreen>

TMainForm *MainForm = nullptr;

namespace {
const QString applicationTitle = QStringLiteral("KelvaneV1.0");
constexpr int autoHideIntervalMs = 200;

// The whole primary screen, not its work area, where it lies on the desktop.
QRect primaryScreen()
{
    return QGuiApplication::primaryScreen()->geometry();
}
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

    m_popupMenu = std::make_unique<QMenu>();
    PopupMenu1 = m_popupMenu.get();
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(m_ui->N9);
    PopupMenu1->addAction(m_ui->RightExit);
    connectHandlers();
    addFindAction();

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

void TMainForm::connectHandlers()
{
    connect(m_ui->N5, &QAction::triggered, this, &TMainForm::N5Click);
    connect(m_ui->N9, &QAction::triggered, this, &TMainForm::N5Click);
    connect(m_ui->N6, &QAction::triggered, this, &TMainForm::N6Click);
    connect(m_ui->N7, &QAction::triggered, this, &TMainForm::N7Click);
    connect(m_ui->N8, &QAction::triggered, this, &TMainForm::N8Click);
    connect(m_ui->RightExit, &QAction::triggered, this, &TMainForm::RightExitClick);
}

// Ctrl+F in the window opens the find window; the menus stay as they are.
void TMainForm::addFindAction()
{
    auto *find = new QAction(QStringLiteral("找报纸"), this);
    find->setObjectName(QStringLiteral("FindAction"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addAction(find);
    connect(find, &QAction::triggered, this, [] { showFindWindow(); });
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
    connect(&Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
}

void TMainForm::addIcon()
{
    // The program lives in the notification area: closing its last visible
    // window, the About box over a hidden main window say, does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(programicon::icon());
    m_tray = new TrayPresence(this, m_edgeStrip);
    TrayIcon = m_tray->icon();
    connect(m_tray, &TrayPresence::activated, this, &TMainForm::WMTrayIcon);
    connect(m_tray, &TrayPresence::findWanted, this, [] { showFindWindow(); });
}

void TMainForm::followSecondaryWindows(const QList<TSecondaryForm *> &windows)
{
    for (TSecondaryForm *window : windows) {
        connect(window, &TSecondaryForm::opened, this, &TMainForm::SecondaryFormOpened);
        connect(window, &TSecondaryForm::closed, this, &TMainForm::SecondaryFormClosed);
    }
}

void TMainForm::SecondaryFormOpened()
{
    setEnabled(false);
}

void TMainForm::SecondaryFormClosed()
{
    setEnabled(true);
}

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
    paperopening::open(table == catalogue::domesticTable, name,
                       ADOQuery1.fieldAsText(catalogue::addressColumn));
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

void TMainForm::N7Click()
{
    if (!trayhost::isAvailable())
        return;
    m_tray->setTaskbarButtonWanted(false);
}

void TMainForm::N8Click()
{
    StatisticForm->openFromMainWindow();
}

void TMainForm::RightExitClick()
{
    TrayIcon->hide();
    // Ends the message loop without closing any window, so no close handler
    // runs, not even with a secondary window open.
    QCoreApplication::exit(0);
}

void TMainForm::WMTrayIcon(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Context)
        PopupMenu1->popup(QCursor::pos());
    else if (reason == QSystemTrayIcon::Trigger)
        m_tray->showWindow();
}

void TMainForm::FormShow()
{
    m_tray->setTaskbarButtonWanted(false);
}

void TMainForm::showEvent(QShowEvent *event)
{
    m_edgeStrip.windowShown();
    m_edgeStrip.moveAsProgram([this] { windowplacement::centreFirstTime(this, m_centred); });
    QMainWindow::showEvent(event);
    if (!m_formShown) {
        m_formShown = true;
        FormShow();
    }
    m_tray->windowShown();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    FormClose(event);
}

// Closing keeps the program: the window goes to the notification area, or,
// with no tray host to bring it back from, it is minimised.
void TMainForm::FormClose(QCloseEvent *event)
{
    event->ignore();
    m_tray->closeWindow();
}

void TMainForm::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    // Only the user's drags dock the window.
    if (isVisible() && m_edgeStrip.isUserMove())
        WMMoving();
}

void TMainForm::WMMoving()
{
    const QRect screen = primaryScreen();
    const QSize frame = frameGeometry().size();
    const dockrules::Bounds kept =
        dockrules::clamp(dockrules::boundsOf(pos(), frame), frame, screen);
    FDockEdges = dockrules::dockEdges(kept, screen);
    if (QPoint(kept.left, kept.top) != pos())
        m_edgeStrip.place(QPoint(kept.left, kept.top));
    if (!FDockEdges)
        Timer1.stop();
    else if (!Timer1.isActive())
        Timer1.start();
}

void TMainForm::Timer1Timer()
{
    const QRect screen = primaryScreen();
    const QSize frame = frameGeometry().size();
    if (isUnderPointer()) {
        m_edgeStrip.place(dockrules::shownPosition(pos(), frame, screen, FDockEdges));
        return;
    }
    const QPoint slidOut = dockrules::slidOutPosition(pos(), frame, screen, FDockEdges);
    m_edgeStrip.slideOut(slidOut, dockrules::visiblePart(slidOut, frame, screen));
}

bool TMainForm::isUnderPointer()
{
    // A window the user holds by a button stays under the pointer, even where
    // the window manager drags its frame a little behind the pointer.
    const bool held = m_wasUnderPointer && pointer::buttonHeld().value_or(false);
    m_wasUnderPointer = held || pointer::isOver(this) || m_edgeStrip.isUnderPointer();
    return m_wasUnderPointer;
}

void TMainForm::contextMenuEvent(QContextMenuEvent *event)
{
    PopupMenu1->popup(event->globalPos());
}
