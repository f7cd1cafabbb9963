#include "forms/setfrm.h"

#include "catalogue/connectionsettings.h"
#include "platform/application.h"
#include "ui_setfrm.h"

TSetForm *SetForm = nullptr;

TSetForm::TSetForm(QWidget *parent)
    : TSecondaryForm(parent), m_ui(new Ui::TSetForm),
      ADOConnection1(connectionsettings::longForm),
      ADOQuery1(QStringLiteral("ADOQuery1"), ADOConnection1)
{
    m_ui->setupUi(this);
    fixWindow(Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    // The connection opens as the window is loaded.
    runHandler([this] { ADOConnection1.open(); });
}

TSetForm::~TSetForm() { delete m_ui; }
