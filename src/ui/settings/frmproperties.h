// The port properties dialog "CommPort Properties": shows the live port's configuration and
// applies the operator's choice to it on OK, storing what the port then reports. Modal; the
// owner runs it with exec() and deletes it afterwards.
#pragma once

#include "core/settings/portlist.h"
#include "core/settings/portsettingstext.h"

#include <QDialog>

class CommPort;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

class frmProperties : public QDialog
{
    Q_OBJECT
public:
    // Offers the serial ports the system reports after Com1 to Com16.
    explicit frmProperties(CommPort &port, QWidget *parent = nullptr);
    // Offers the given system ports instead of asking the system.
    frmProperties(CommPort &port, const QList<PortList::SystemPort> &systemPorts,
                  QWidget *parent = nullptr);

    // Fills the lists and shows the port's present configuration. Echo always starts "Off".
    void LoadPropertySettings();
    void optFlow_Click(int index);
    void optEcho_Click(int index);
    // Applies port, settings and flow control to the port, stores them and closes. A value the
    // port refuses shows the port's error text; the dialog then stays open and nothing is
    // stored.
    void cmdOk_Click();
    void cmdCancel_Click();

    int flowChoice() const { return FlowChoice; }
    bool echoChoice() const { return EchoChoice; }

    QTabWidget *tabSettings = nullptr;
    QFrame *fraSettings = nullptr;
    QGroupBox *fraConnection = nullptr;
    QGroupBox *fraSpeed = nullptr;
    QGroupBox *fraFlow = nullptr;
    QGroupBox *fraEcho = nullptr;
    QLabel *lblPort = nullptr;
    QLabel *lblDataBits = nullptr;
    QLabel *lblParity = nullptr;
    QLabel *lblStopBits = nullptr;
    QComboBox *cboPort = nullptr;
    QComboBox *cboSpeed = nullptr;
    QComboBox *cboDataBits = nullptr;
    QComboBox *cboParity = nullptr;
    QComboBox *cboStopBits = nullptr;
    // Option groups; the button ids are the option indexes.
    QButtonGroup *optFlow = nullptr;
    QButtonGroup *optEcho = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    // Shows a refusal by the port: its error text, exclamation icon, OK.
    virtual void showPortError(const QString &text);
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void layoutControls();
    void connectControls();
    QRadioButton *addOption(QButtonGroup *group, int index, const QString &text);
    void selectOption(QButtonGroup *group, int index);
    // The chosen text of a list, or the port's present value for it when nothing is chosen.
    QString chosen(const QComboBox *list, const QString &present) const;
    QString chosenPort() const;
    bool applyPortNumber();
    void reopenPort();

    CommPort &m_port;
    QList<PortList::SystemPort> m_systemPorts;
    qint16 FlowChoice = 0;
    bool EchoChoice = false;
    // Set once this dialog has closed the open port to change its number.
    bool m_closedPort = false;
    bool m_centred = false;
};
