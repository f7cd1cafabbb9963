#include "forms/findfrm.h"

#include "core/webaddress.h"
#include "find/usagerank.h"
#include "find/usagerecord.h"
#include "forms/paperopening.h"
#include "forms/windowplacement.h"
#include "platform/application.h"
#include "ui_findfrm.h"

#include <QKeyEvent>

namespace {

TFindForm *s_findForm = nullptr;

// As many papers as a list shows without feeling long.
constexpr qsizetype resultLimit = 50;
constexpr int entryRole = Qt::UserRole;

bool movesThroughList(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
           key == Qt::Key_PageDown;
}

} // namespace

TFindForm::TFindForm(QWidget *parent) : QWidget(parent, Qt::Window), m_ui(new Ui::TFindForm)
{
    m_ui->setupUi(this);
    connectHandlers();
}

TFindForm::~TFindForm()
{
    delete m_ui;
}

void TFindForm::connectHandlers()
{
    connect(m_ui->findEdit, &QLineEdit::textChanged, this, &TFindForm::FindEditChanged);
    connect(m_ui->findEdit, &QLineEdit::returnPressed, this, &TFindForm::FindEditReturnPressed);
    connect(m_ui->resultList, &QTreeWidget::itemActivated, this, &TFindForm::ResultListActivated);
    m_ui->findEdit->installEventFilter(this);
}

void TFindForm::showFind(const QString &text)
{
    runHandler([this] { m_catalogue.follow(); });
    if (m_ui->findEdit->text() == text)
        showResults(text); // the same text over rows that may have changed
    else
        m_ui->findEdit->setText(text);
    m_ui->findEdit->selectAll();
    windowplacement::centreOnPointersScreen(this);
    show();
    raise();
    activateWindow();
    m_ui->findEdit->setFocus();
}

void TFindForm::FindEditChanged(const QString &text)
{
    showResults(text);
}

void TFindForm::FindEditReturnPressed()
{
    openChosen();
}

void TFindForm::ResultListActivated(QTreeWidgetItem *item)
{
    m_ui->resultList->setCurrentItem(item);
    openChosen();
}

bool TFindForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->findEdit && event->type() == QEvent::KeyPress)
        return FindEditKeyPressed(static_cast<QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

// The list takes the keys that move through it, so the focus stays in the line.
bool TFindForm::FindEditKeyPressed(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return true;
    }
    if (!movesThroughList(event->key()) || event->modifiers() != Qt::NoModifier)
        return false;
    QKeyEvent forwarded(event->type(), event->key(), event->modifiers());
    QCoreApplication::sendEvent(m_ui->resultList, &forwarded);
    return true;
}

void TFindForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        hide();
}

// An empty line lists the papers the user opened most.
void TFindForm::showResults(const QString &text)
{
    const find::Engine &engine = m_catalogue.engine();
    const auto usage = find::UsageRecord::atDefaultPath().usageOfEntries(engine.entries());
    const QList<qsizetype> found =
        text.trimmed().isEmpty() ? find::mostOpened(engine.entries().size(), usage, resultLimit)
                                 : engine.search(text, resultLimit, usage);
    m_ui->resultList->clear();
    for (const qsizetype entry : found) {
        const find::Entry &paper = engine.entries().at(entry);
        auto *item = new QTreeWidgetItem(
            m_ui->resultList, {paper.name, paper.province, browser::shownHost(paper.address)});
        item->setData(0, entryRole, entry);
    }
    m_ui->resultList->setCurrentItem(m_ui->resultList->topLevelItem(0));
}

void TFindForm::openChosen()
{
    const QTreeWidgetItem *item = m_ui->resultList->currentItem();
    if (!item)
        return;
    const find::Entry paper =
        m_catalogue.engine().entries().at(item->data(0, entryRole).toLongLong());
    hide();
    runHandler([&] { paperopening::open(paper.domestic, paper.name, paper.address); });
}

void showFindWindow(const QString &text)
{
    if (!s_findForm)
        s_findForm = new TFindForm;
    s_findForm->showFind(text);
}

TFindForm *findWindow()
{
    return s_findForm;
}

void destroyFindWindow()
{
    delete s_findForm;
    s_findForm = nullptr;
}
