// The CW keyboard "CW Keyboard": text typed on a line goes to the radio's keyer on Enter, or
// word by word with "Send as typed"; eight macros F1 to F8 hold texts the operator edits, with
// the fields {MYCALL}, {CALL} (the logbook's contact) and {RST}; Stop ends the sending; the key
// speed is shown and set through the radio's "KS". Characters the keyer cannot send are refused
// where they are typed. Outside CW and CW-R the window says so and offers to switch. All the
// sending is done by the CwSender below the window, which the network clients share.
#pragma once

#include <QWidget>

#include <array>
#include <functional>

class CwSender;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class Radio;

class frmCwKeyboard : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MacroCount = 8;

    frmCwKeyboard(Radio &radio, CwSender &sender, QWidget *parent = nullptr);

    // Where {CALL} comes from: the call of the contact chosen in the logbook, empty when none.
    void setCallSource(std::function<QString()> call) { m_call = std::move(call); }

    void cmdSend_Click();
    void cmdStop_Click();
    void cmdSwitchToCw_Click();
    void cmdMacro_Click(int index); // 0 for F1
    void SliderKeyer_Click(int value);
    void cmdClose_Click();

    // The line under the text that says what happened last.
    QString statusText() const;

    QLineEdit *txtSend = nullptr;
    QPushButton *cmdSend = nullptr;
    QCheckBox *chkAsTyped = nullptr;
    std::array<QPushButton *, MacroCount> cmdMacro {};
    std::array<QLineEdit *, MacroCount> txtMacro {};
    QLineEdit *txtMyCall = nullptr;
    QLineEdit *txtRst = nullptr;
    QSlider *SliderKeyer = nullptr;
    QLabel *lblKeyerLevel = nullptr;
    QFrame *fraNotCw = nullptr;
    QLabel *lblNotCw = nullptr;
    QPushButton *cmdSwitchToCw = nullptr;
    QPlainTextEdit *txtSent = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdStop = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void buildUi();
    QWidget *buildMacros();
    void wireUp();
    void loadSettings();
    // Hands text to the sender; false (and says why) when it is refused.
    bool send(const QString &text);
    void typed(const QString &text);
    void say(const QString &text);
    void showSpeed();
    void showMode();
    void replyTaken(const QString &reply);

    Radio &m_radio;
    CwSender &m_sender;
    std::function<QString()> m_call;
};
