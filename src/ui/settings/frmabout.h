// The about box: product name, what the program is for, and the version of this build.
// Not modal; deletes itself when closed.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    void cmdOk_Click();

    QLabel *lblTitle = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblVersion = nullptr;
    QPushButton *cmdOk = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_centred = false;
};
