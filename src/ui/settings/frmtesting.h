// The test screen: types a raw command to the radio or re-runs the reply interpreter on the
// receive buffer as it stands. Not modal; deletes itself when closed.
#pragma once

#include <QDialog>
#include <optional>

class QPushButton;
class Radio;

class frmTesting : public QDialog
{
    Q_OBJECT
public:
    explicit frmTesting(Radio &radio, QWidget *parent = nullptr);

    // Asks for a radio code and writes it exactly as typed; nothing when cancelled or empty.
    void Command1_Click();
    void CmdSimOut1_Click();
    // Runs the reply interpreter on the receive buffer Out with its present content.
    void CmdSimOut2_Click();

    QPushButton *Command1 = nullptr;
    QPushButton *CmdSimOut1 = nullptr;
    QPushButton *CmdSimOut2 = nullptr;

protected:
    // The input box "Enter the Radio Code to Send"; std::nullopt when cancelled.
    virtual std::optional<QString> askRadioCode();
    // Tells the operator why a typed code was not sent.
    virtual void showRefusal(const QString &text);
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void connectControls();

    Radio &m_radio;
    bool m_centred = false;
};
