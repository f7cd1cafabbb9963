#include "forms/setfrm.h"

#include "catalogue/connectionsettings.h"
#include "core/messagerules.h"
#include "forms/maintenancechecks.h"
#include "platform/application.h"
#include "platform/messagebox.h"
#include "ui_setfrm.h"
#include "ui_setfrmpages.h"

#include <QEvent>
#include <QLayout>
#include <limits>

TSetForm *SetForm = nullptr;

namespace {

QString trimmedText(const QLineEdit *edit)
{
    return messagerules::trimmed(edit->text());
}

} // namespace

TSetForm::TSetForm(QWidget *parent)
    : TSecondaryForm(parent, Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                 Qt::WindowMinimizeButtonHint),
      ADOConnection1(connectionsettings::longForm),
      ADOQuery1(QStringLiteral("ADOQuery1"), ADOConnection1)
{
    Ui::TSetForm window;
    window.setupUi(this);
    fixSize();
    // The connection opens as the window is loaded.
    runHandler([this] { ADOConnection1.open(); });
}

void TSetForm::prepareFirstShowing()
{
    m_ui = new Ui::TSetFormPages;
    auto *pages = new QWidget(this);
    m_ui->setupUi(pages);
    layout()->addWidget(pages);
    // The typed kind has no length limit either; the window definition cannot
    // reach the combo box's own edit box.
    m_ui->ComboBox3->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    connectHandlers();
}

TSetForm::~TSetForm()
{
    delete m_ui;
}

void TSetForm::connectHandlers()
{
    connect(m_ui->ComboBox1, &QComboBox::activated, this, &TSetForm::ComboBox1Select);
    connect(m_ui->Button1, &QPushButton::clicked, this, &TSetForm::Button1Click);
    connect(m_ui->Button2, &QPushButton::clicked, this, &TSetForm::Button2Click);
    connect(m_ui->Button3, &QPushButton::clicked, this, &TSetForm::Button3Click);
    connect(m_ui->Button4, &QPushButton::clicked, this, &TSetForm::Button4Click);
    connect(m_ui->Button5, &QPushButton::clicked, this, &TSetForm::Button5Click);
    for (QLineEdit *edit : {m_ui->Edit1, m_ui->Edit2, m_ui->Edit3, m_ui->Edit4})
        edit->installEventFilter(this);
}

// Watches the pointer over Edit1 to Edit4 only.
bool TSetForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove)
        runHandler([&] { EditMouseMove(static_cast<QLineEdit *>(watched)); });
    return TSecondaryForm::eventFilter(watched, event);
}

// The catalogue may have been replaced or removed while the window was away.
// Queued, so that an error box comes after the showing.
void TSetForm::showEvent(QShowEvent *event)
{
    TSecondaryForm::showEvent(event);
    QMetaObject::invokeMethod(
        this, [this] { runHandler([this] { ADOQuery1.followFile(); }); }, Qt::QueuedConnection);
}

void TSetForm::EditMouseMove(QLineEdit *sender)
{
    sender->setFocus(Qt::MouseFocusReason);
}

// The handlers that reach the catalogue: a failure ends the handler and goes
// to the standard error box.
void TSetForm::ComboBox1Select()
{
    runHandler([this] { listProvincesOfKind(); });
}

void TSetForm::Button1Click()
{
    runHandler([this] { addPaper(); });
}

void TSetForm::Button3Click()
{
    runHandler([this] { findPaper(); });
}

void TSetForm::Button4Click()
{
    runHandler([this] { deleteFoundPaper(); });
}

// Refills the province list with the provinces of the chosen kind, after a
// blank first entry that stands for "none chosen".
void TSetForm::listProvincesOfKind()
{
    const QString kind = messagerules::trimmed(m_ui->ComboBox1->currentText());
    m_ui->ComboBox2->clear();
    m_ui->ComboBox2->addItem(QStringLiteral("  "));
    m_ui->ComboBox2->setCurrentIndex(-1);
    ADOQuery1.close();
    ADOQuery1.setStatement({});
    if (kind == u"国内")
        appendProvinces(catalogue::domesticTable);
    if (kind == u"国外")
        appendProvinces(catalogue::foreignTable);
}

// Appends the table's provinces in the engine's order; a NULL one stops the
// list with a failure, an empty one is skipped.
void TSetForm::appendProvinces(const QString &table)
{
    ADOQuery1.open(statements::distinctProvinces(table));
    while (!ADOQuery1.eof()) {
        const QString province = ADOQuery1.fieldAsText(catalogue::provinceColumn);
        if (!province.isEmpty())
            m_ui->ComboBox2->addItem(province);
        ADOQuery1.next();
    }
}

void TSetForm::addPaper()
{
    const maintenancechecks::NewPaper paper{trimmedText(m_ui->Edit1), trimmedText(m_ui->Edit2),
                                            messagerules::trimmed(m_ui->ComboBox1->currentText()),
                                            messagerules::trimmed(m_ui->ComboBox2->currentText()),
                                            trimmedText(m_ui->Edit3)};
    if (const QString problem = maintenancechecks::addProblem(paper); !problem.isEmpty()) {
        messagebox::showInformation(problem);
        return;
    }
    const QString table = catalogue::tableForKind(paper.kind);
    // Only the chosen half is searched: the two halves may share a name.
    ADOQuery1.open(statements::nameOfPaper(table, paper.name));
    if (!ADOQuery1.eof()) {
        messagebox::showInformation(QStringLiteral("已经存在此报纸名字,请重新输入！"));
        m_ui->Edit1->clear();
        m_ui->Edit2->clear();
        m_ui->Edit1->setFocus();
        return;
    }
    if (!paper.province.isEmpty()) {
        insertPaper(table, paper.province, paper.name, paper.address);
        return;
    }
    ADOQuery1.open(statements::provinceOfProvince(table, paper.newProvince));
    if (!ADOQuery1.eof()) {
        messagebox::showInformation(QStringLiteral("已经存在这个省市,不用再创建新的！"));
        m_ui->Edit3->clear();
        m_ui->Edit3->setFocus();
        return;
    }
    insertPaper(table, paper.newProvince, paper.name, paper.address);
}

// Nothing is cleared or refilled after a successful add.
void TSetForm::insertPaper(const QString &table, const QString &province, const QString &name,
                           const QString &address)
{
    ADOQuery1.execute(statements::insertPaper(table, province, name, address));
    messagebox::showInformation(QStringLiteral("恭喜，增加新报纸成功！"));
}

void TSetForm::Button2Click()
{
    close();
}

void TSetForm::findPaper()
{
    const QString name = trimmedText(m_ui->Edit4);
    const QString kind = messagerules::trimmed(m_ui->ComboBox3->currentText());
    if (const QString problem = maintenancechecks::findProblem(name, kind); !problem.isEmpty()) {
        messagebox::showInformation(problem);
        return;
    }
    ADOQuery1.open(statements::paperByName(catalogue::tableForKind(kind), name));
    if (ADOQuery1.eof()) {
        messagebox::showInformation(QStringLiteral("没有此报纸，请重新查找！"));
        return;
    }
    showFoundPaper();
}

// Fills the result part field by field: a NULL stops it with the earlier
// fields already changed. The kind shown is the one typed, untrimmed.
void TSetForm::showFoundPaper()
{
    m_ui->Edit5->setText(ADOQuery1.fieldAsText(catalogue::nameColumn));
    m_ui->Edit6->setText(ADOQuery1.fieldAsText(catalogue::addressColumn));
    m_ui->Edit7->setText(m_ui->ComboBox3->currentText());
    m_ui->Edit8->setText(ADOQuery1.fieldAsText(catalogue::provinceColumn));
}

// Deletes the paper the result part shows, by its name and kind; there is no
// question first. An empty result part names no table, and the engine refuses.
void TSetForm::deleteFoundPaper()
{
    const QString table = catalogue::tableForKind(trimmedText(m_ui->Edit7));
    ADOQuery1.execute(statements::deletePaper(table, trimmedText(m_ui->Edit5)));
    messagebox::showInformation(QStringLiteral("删除报纸数据成功！"));
    m_ui->Edit4->clear();
    m_ui->ComboBox3->setEditText(QString());
    for (QLineEdit *edit : {m_ui->Edit5, m_ui->Edit6, m_ui->Edit7, m_ui->Edit8})
        edit->clear();
}

void TSetForm::Button5Click()
{
    close();
}
