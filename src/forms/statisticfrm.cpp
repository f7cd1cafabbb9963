#include "forms/statisticfrm.h"

#include "catalogue/connectionsettings.h"
#include "ui_statisticfrm.h"

TStatisticForm *StatisticForm = nullptr;

TStatisticForm::TStatisticForm(QWidget *parent)
    : TSecondaryForm(parent), m_ui(new Ui::TStatisticForm),
      ADOConnection1(connectionsettings::shortForm),
      ADOQuery1(QStringLiteral("ADOQuery1"), ADOConnection1)
{
    m_ui->setupUi(this);
    fixWindow(Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

TStatisticForm::~TStatisticForm() { delete m_ui; }
