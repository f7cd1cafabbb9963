#pragma once

#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"
#include "forms/secondaryform.h"

namespace Ui {
class TSetFormPages;
}
class QLineEdit;

// The maintenance window: adds papers, finds and deletes them. Created at start-up with the other
// windows (its catalogue connection opens then); its pages and their controls are made when it
// first shows, and live on with their contents from then on.
class TSetForm final : public TSecondaryForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSetForm)

public:
    explicit TSetForm(QWidget *parent = nullptr);
    ~TSetForm() override;

protected:
    void prepareFirstShowing() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The Add page.
    void ComboBox1Select();
    void Button1Click();
    void Button2Click();
    // The Find and delete page.
    void Button3Click();
    void Button4Click();
    void Button5Click();
    // Edit1 to Edit4 share it: the edit under the pointer takes the focus.
    void EditMouseMove(QLineEdit *sender);

    void connectHandlers();
    void listProvincesOfKind();
    void addPaper();
    void findPaper();
    void deleteFoundPaper();
    void appendProvinces(const QString &table);
    void insertPaper(const QString &table, const QString &province, const QString &name,
                     const QString &address);
    void showFoundPaper();

    Ui::TSetFormPages *m_ui = nullptr;
    CatalogueConnection ADOConnection1;
    CatalogueQuery ADOQuery1;
};

extern TSetForm *SetForm;
