#include "forms/statisticfrm.h"

#include "catalogue/connectionsettings.h"
#include "catalogue/rowcount.h"
#include "catalogue/statement.h"
#include "platform/application.h"
#include "ui_statisticfrm.h"

TStatisticForm *StatisticForm = nullptr;

TStatisticForm::TStatisticForm(QWidget *parent)
    : TSecondaryForm(parent, Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_ui(new Ui::TStatisticForm), ADOConnection1(connectionsettings::shortForm),
      ADOQuery1(QStringLiteral("ADOQuery1"), ADOConnection1)
{
    m_ui->setupUi(this);
    fixSize();
    // Queued, so that the count (and an error box) comes after the activation
    // has been delivered to every window involved.
    connect(&m_activation, &WindowActivationWatch::activated, this,
            &TStatisticForm::windowActivated, Qt::QueuedConnection);
}

// Sizing a caption measures its text; that waits until the user can see it.
void TStatisticForm::prepareFirstShowing()
{
    for (QLabel *label : {m_ui->Label1, m_ui->Label2})
        label->adjustSize(); // the captions size themselves to their text
}

TStatisticForm::~TStatisticForm()
{
    delete m_ui;
}

// Each showing counts, whether or not the window manager then activates the
// window: one that does not focus new windows sends no activation at all.
// Queued, so that the count (and an error box) comes after the showing.
void TStatisticForm::showEvent(QShowEvent *event)
{
    m_justShown = true;
    TSecondaryForm::showEvent(event);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isVisible())
                FormActivate();
        },
        Qt::QueuedConnection);
}

// A return from another application (no previous window of ours) keeps the
// counts; coming back from one of our windows recounts. The first activation
// after a showing was counted with it, unless the user left for another of
// our windows first.
void TStatisticForm::windowActivated(QWidget *window, QWidget *previous)
{
    if (window != this) {
        if (previous == this)
            m_justShown = false;
        return;
    }
    const bool recount = previous != nullptr && !m_justShown;
    m_justShown = false;
    if (recount && isVisible())
        FormActivate();
}

void TStatisticForm::FormActivate()
{
    runHandler([this] {
        m_ui->Edit1->setText(
            QString::number(rowcount::byStepping(ADOQuery1, catalogue::domesticTable)));
        m_ui->Edit2->setText(
            QString::number(rowcount::byStepping(ADOQuery1, catalogue::foreignTable)));
    });
}
