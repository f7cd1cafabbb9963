#include "forms/aboutfrm.h"

#include "platform/jpegimage.h"
#include "ui_aboutfrm.h"

#include <QPixmap>

// The picture lives in a static library: its resources must be pulled in.
static void initAboutResources()
{
    Q_INIT_RESOURCE(about);
}

TAboutForm *AboutForm = nullptr;

const QString TAboutForm::picturePath = QStringLiteral(":/about/newspaper.jpg");

TAboutForm::TAboutForm(QWidget *parent) : TSecondaryForm(parent), m_ui(new Ui::TAboutForm)
{
    initAboutResources();
    m_ui->setupUi(this);
    fixWindow(Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    // The picture goes through libjpeg; a damaged one leaves the image empty.
    m_ui->Image1->setPixmap(QPixmap::fromImage(jpegimage::fromResource(picturePath)));
    for (QLabel *label : {m_ui->Label3, m_ui->Label1, m_ui->Label5, m_ui->Label4})
        label->adjustSize(); // the text lines size themselves to their text
}

TAboutForm::~TAboutForm()
{
    delete m_ui;
}
