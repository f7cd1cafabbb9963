#include "forms/aboutfrm.h"

#include "platform/jpegimage.h"
#include "ui_aboutcontent.h"
#include "ui_aboutfrm.h"

#include <QFontDatabase>
#include <QPixmap>

// The picture lives in a static library: its resources must be pulled in.
static void initAboutResources()
{
    Q_INIT_RESOURCE(about);
}

// The family of the product, credit and thanks lines: 宋体 (or its Latin name), else the
// fallback that is installed with the program, named directly so that fontconfig does not
// search for a substitute.
static QString textLineFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : {QStringLiteral("宋体"), QStringLiteral("SimSun")}) {
        if (installed.contains(family))
            return family;
    }
    return QStringLiteral("WenQuanYi Micro Hei");
}

TAboutForm *AboutForm = nullptr;

const QString TAboutForm::picturePath = QStringLiteral(":/about/newspaper.jpg");

TAboutForm::TAboutForm(QWidget *parent)
    : TSecondaryForm(parent, Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                 Qt::WindowMinimizeButtonHint)
{
    Ui::TAboutForm window;
    window.setupUi(this);
    fixSize();
}

// Before the first showing, so the window is polished once with its final fonts.
void TAboutForm::prepareFirstShowing()
{
    initAboutResources();
    m_ui = new Ui::TAboutContent;
    m_ui->setupUi(new QWidget(this)); // fills the client area from its top-left corner
    // The picture goes through libjpeg; a damaged one leaves the image empty.
    m_ui->Image1->setPixmap(QPixmap::fromImage(jpegimage::fromResource(picturePath)));
    QFont family;
    family.setFamilies({textLineFamily()});
    for (QLabel *label : {m_ui->Label3, m_ui->Label1, m_ui->Label5})
        label->setFont(family); // the style sheet adds size, weight and colour
    for (QLabel *label : {m_ui->Label3, m_ui->Label1, m_ui->Label5, m_ui->Label4})
        label->adjustSize(); // the text lines size themselves to their text
}

TAboutForm::~TAboutForm()
{
    delete m_ui;
}
