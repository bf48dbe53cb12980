// The Setup dialog: the operator's offset of the local clock from GMT, kept in the settings
// store for the next start. Not modal; deletes itself when closed.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmSetup : public QDialog
{
    Q_OBJECT
public:
    explicit frmSetup(QWidget *parent = nullptr);

    // Shows the stored offset exactly as stored, or the computer's own present offset from
    // UTC when none has been stored yet.
    void Form_Load();
    // Stores the shown offset as typed and closes. Closing by the frame stores nothing.
    void cmdClose_Click();

    QLabel *lblGMT = nullptr;
    QLineEdit *txtGMTOffset = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *txtMainFreqInc = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *cmdClose = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void layoutControls();
    void connectControls();

    bool m_centred = false;
};
