#include "ui/cw/frmcwkeyboard.h"

#include "core/cw/cwsender.h"
#include "core/cw/cwtext.h"
#include "core/radio/cat.h"
#include "core/radio/cattables.h"
#include "core/radio/radio.h"
#include "core/settings/settingsstore.h"
#include "ui/common/sliderclicks.h"
#include "ui/common/spokenname.h"
#include "ui/common/windowplacement.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// The macros a new operator starts with.
constexpr const char *StartMacros[frmCwKeyboard::MacroCount] = {
    "CQ CQ CQ DE {MYCALL} {MYCALL} K",
    "{CALL} DE {MYCALL} K",
    "{CALL} UR RST {RST} {RST} BK",
    "TU 73 DE {MYCALL} K",
    "QRZ? DE {MYCALL} K",
    "{MYCALL}",
    "AGN?",
    "TEST DE {MYCALL}",
};

QString macroKey(int index)
{
    return QStringLiteral("CWMacro%1").arg(index + 1);
}

// Text the keyer sends, in capitals; extra: further characters taken (the braces of fields).
// Anything else is refused as it is typed, and refused() tells what.
class KeyerValidator : public QValidator
{
public:
    KeyerValidator(const QString &extra, QObject *parent)
        : QValidator(parent)
        , m_extra(extra)
    {
    }
    State validate(QString &input, int &) const override
    {
        m_refused.clear();
        for (const QChar c : CwText::refusedCharacters(input)) {
            if (!m_extra.contains(c))
                m_refused += c;
        }
        if (!m_refused.isEmpty())
            return Invalid;
        input = input.toUpper();
        return Acceptable;
    }
    QString refused() const { return m_refused; }

private:
    QString m_extra;
    mutable QString m_refused;
};

QLineEdit *keyerLine(QWidget *parent, const char *name, const QString &extra = {})
{
    auto *line = new QLineEdit(parent);
    line->setObjectName(QLatin1String(name));
    line->setValidator(new KeyerValidator(extra, line));
    line->setFocusPolicy(Qt::StrongFocus);
    return line;
}

QLabel *captionFor(QWidget *control, const QString &caption)
{
    auto *label = new QLabel(caption, control->parentWidget());
    label->setBuddy(control);
    return label;
}

} // namespace

frmCwKeyboard::frmCwKeyboard(Radio &radio, CwSender &sender, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_radio(radio)
    , m_sender(sender)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmCwKeyboard"));
    setWindowTitle(QStringLiteral("CW Keyboard"));
    buildUi();
    loadSettings();
    wireUp();
    showSpeed();
    showMode();
    WindowPlacement::fitTitle(*this);
    WindowPlacement::centreOnScreen(*this);
}

void frmCwKeyboard::buildUi()
{
    fraNotCw = new QFrame(this);
    fraNotCw->setObjectName(QStringLiteral("fraNotCw"));
    fraNotCw->setFrameShape(QFrame::StyledPanel);
    lblNotCw = new QLabel(fraNotCw);
    lblNotCw->setObjectName(QStringLiteral("lblNotCw"));
    lblNotCw->setWordWrap(true);
    cmdSwitchToCw = SpokenName::button(fraNotCw, "cmdSwitchToCw", QStringLiteral("Switch to C&W"),
                                       tr("put the radio in CW"));
    // The window keeps its layout when the radio changes mode.
    QSizePolicy keep = cmdSwitchToCw->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    cmdSwitchToCw->setSizePolicy(keep);
    auto *notCw = new QHBoxLayout(fraNotCw);
    notCw->addWidget(lblNotCw, 1);
    notCw->addWidget(cmdSwitchToCw);

    txtSend = keyerLine(this, "txtSend");
    txtSend->setAccessibleName(tr("Text, sent in CW on Enter"));
    txtSend->setMaxLength(CwSender::MaxWaiting);
    cmdSend = SpokenName::button(this, "cmdSend", QStringLiteral("&Send"), tr("the text in CW"));
    chkAsTyped = new QCheckBox(QStringLiteral("Send as &typed"), this);
    chkAsTyped->setObjectName(QStringLiteral("chkAsTyped"));
    chkAsTyped->setAccessibleName(SpokenName::of(chkAsTyped->text(), tr("word by word")));
    chkAsTyped->setFocusPolicy(Qt::StrongFocus);

    txtMyCall = keyerLine(this, "txtMyCall");
    txtMyCall->setAccessibleName(tr("My call, your own call for {MYCALL}"));
    txtRst = keyerLine(this, "txtRst");
    txtRst->setAccessibleName(tr("RST, the report for {RST}"));
    txtRst->setMaxLength(8);

    SliderKeyer = new QSlider(Qt::Horizontal, this);
    SliderKeyer->setObjectName(QStringLiteral("SliderKeyer"));
    SliderKeyer->setRange(10, 60);
    SliderKeyer->setPageStep(5);
    SliderKeyer->setTickInterval(5);
    SliderKeyer->setTickPosition(QSlider::TicksBelow);
    SliderKeyer->setFocusPolicy(Qt::StrongFocus);
    SliderKeyer->setAccessibleName(tr("Speed, the radio's key speed in words per minute"));
    lblKeyerLevel = new QLabel(this);
    lblKeyerLevel->setObjectName(QStringLiteral("lblKeyerLevel"));
    lblKeyerLevel->setMinimumWidth(
        lblKeyerLevel->fontMetrics().horizontalAdvance(QStringLiteral("Not known yet")));

    txtSent = new QPlainTextEdit(this);
    txtSent->setObjectName(QStringLiteral("txtSent"));
    txtSent->setReadOnly(true);
    txtSent->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    txtSent->setTabChangesFocus(true);
    txtSent->setFocusPolicy(Qt::StrongFocus);
    txtSent->setAccessibleName(tr("Sent, the text handed to the keyer"));
    txtSent->setMaximumBlockCount(200);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    lblStatus->setAccessibleDescription(tr("What happened last"));

    cmdStop = SpokenName::button(this, "cmdStop", QStringLiteral("Sto&p"), tr("sending, Escape"));
    cmdClose = SpokenName::button(this, "cmdClose", QStringLiteral("&Close"), {});

    auto *grid = new QGridLayout;
    grid->addWidget(captionFor(txtSend, QStringLiteral("Te&xt:")), 0, 0);
    grid->addWidget(txtSend, 0, 1, 1, 3);
    grid->addWidget(cmdSend, 0, 4);
    grid->addWidget(chkAsTyped, 1, 1, 1, 3);
    grid->addWidget(captionFor(txtMyCall, QStringLiteral("&My call:")), 2, 0);
    grid->addWidget(txtMyCall, 2, 1);
    grid->addWidget(captionFor(txtRst, QStringLiteral("&RST:")), 2, 2);
    grid->addWidget(txtRst, 2, 3);
    grid->addWidget(captionFor(SliderKeyer, QStringLiteral("Spee&d:")), 3, 0);
    grid->addWidget(SliderKeyer, 3, 1, 1, 2);
    grid->addWidget(lblKeyerLevel, 3, 3, 1, 2);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdStop);
    buttons->addStretch();
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fraNotCw);
    layout->addLayout(grid);
    layout->addWidget(buildMacros());
    layout->addWidget(captionFor(txtSent, QStringLiteral("Sent:")));
    layout->addWidget(txtSent, 1);
    layout->addWidget(lblStatus);
    layout->addLayout(buttons);
    resize(600, 520);
}

QWidget *frmCwKeyboard::buildMacros()
{
    auto *box = new QGroupBox(QStringLiteral("Macros, F1 to F8"), this);
    box->setObjectName(QStringLiteral("fraMacros"));
    auto *grid = new QGridLayout(box);
    for (int i = 0; i < MacroCount; ++i) {
        const QString key = QStringLiteral("F%1").arg(i + 1);
        cmdMacro[i] = SpokenName::button(box, qPrintable(QStringLiteral("cmdMacro%1").arg(i + 1)),
                                         key, tr("send macro %1").arg(i + 1));
        txtMacro[i] = keyerLine(box, qPrintable(QStringLiteral("txtMacro%1").arg(i + 1)),
                                QStringLiteral("{}"));
        txtMacro[i]->setAccessibleName(tr("%1 text, macro %2").arg(key).arg(i + 1));
        const int column = (i / 4) * 2;
        grid->addWidget(cmdMacro[i], i % 4, column);
        grid->addWidget(txtMacro[i], i % 4, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return box;
}

void frmCwKeyboard::loadSettings()
{
    for (int i = 0; i < MacroCount; ++i) {
        txtMacro[i]->setText(
            SettingsStore::get(macroKey(i), QString::fromLatin1(StartMacros[i])).toUpper());
        txtMacro[i]->setCursorPosition(0); // the beginning of a long macro shows
    }
    txtMyCall->setText(SettingsStore::get(QStringLiteral("MyCall"), QString()).toUpper());
    txtRst->setText(SettingsStore::get(QStringLiteral("CWReport"), QStringLiteral("599")));
}

void frmCwKeyboard::wireUp()
{
    connect(cmdSend, &QPushButton::clicked, this, &frmCwKeyboard::cmdSend_Click);
    connect(txtSend, &QLineEdit::returnPressed, this, &frmCwKeyboard::cmdSend_Click);
    connect(txtSend, &QLineEdit::textEdited, this, &frmCwKeyboard::typed);
    connect(cmdStop, &QPushButton::clicked, this, &frmCwKeyboard::cmdStop_Click);
    connect(cmdSwitchToCw, &QPushButton::clicked, this, &frmCwKeyboard::cmdSwitchToCw_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmCwKeyboard::cmdClose_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &frmCwKeyboard::cmdStop_Click);
    for (int i = 0; i < MacroCount; ++i) {
        connect(cmdMacro[i], &QPushButton::clicked, this, [this, i] { cmdMacro_Click(i); });
        connect(new QShortcut(QKeySequence(Qt::Key_F1 + i), this), &QShortcut::activated, this,
                [this, i] { cmdMacro_Click(i); });
        connect(txtMacro[i], &QLineEdit::editingFinished, this,
                [this, i] { SettingsStore::save(macroKey(i), txtMacro[i]->text()); });
    }
    connect(txtMyCall, &QLineEdit::editingFinished, this,
            [this] { SettingsStore::save(QStringLiteral("MyCall"), txtMyCall->text()); });
    connect(txtRst, &QLineEdit::editingFinished, this,
            [this] { SettingsStore::save(QStringLiteral("CWReport"), txtRst->text()); });
    for (QLineEdit *line : findChildren<QLineEdit *>()) {
        connect(line, &QLineEdit::inputRejected, this, [this, line] {
            const auto *validator = static_cast<const KeyerValidator *>(line->validator());
            say(CwSender::refusalText(CwSender::Refusal::Characters, validator->refused()));
        });
    }
    SliderClicks::connect(SliderKeyer, this, [this](int value) { SliderKeyer_Click(value); });

    connect(&m_sender, &CwSender::progress, this, [this](int taken, int total) {
        say(tr("Sending: %1 of %2 characters handed to the radio.").arg(taken).arg(total));
    });
    connect(&m_sender, &CwSender::finished, this,
            [this](CwSender::End end, int notSent) { say(CwSender::endText(end, notSent)); });
    connect(&m_radio, &Radio::replyTaken, this, &frmCwKeyboard::replyTaken);
}

QString frmCwKeyboard::statusText() const
{
    return lblStatus->text();
}

void frmCwKeyboard::say(const QString &text)
{
    lblStatus->setText(text);
}

bool frmCwKeyboard::send(const QString &text)
{
    const CwSender::Refusal refusal = m_sender.send(text);
    if (refusal != CwSender::Refusal::None) {
        say(CwSender::refusalText(refusal, text));
        return false;
    }
    txtSent->moveCursor(QTextCursor::End);
    txtSent->insertPlainText(CwText::normalised(text) + QLatin1Char(' '));
    txtSent->ensureCursorVisible();
    return true;
}

void frmCwKeyboard::cmdSend_Click()
{
    if (txtSend->text().trimmed().isEmpty())
        return;
    if (send(txtSend->text()))
        txtSend->clear();
}

void frmCwKeyboard::typed(const QString &text)
{
    // Word by word: each word goes once the blank after it is typed.
    if (!chkAsTyped->isChecked())
        return;
    const qsizetype end = text.lastIndexOf(QLatin1Char(' '));
    if (end < 0)
        return;
    if (text.left(end).trimmed().isEmpty() || send(text.left(end)))
        txtSend->setText(text.mid(end + 1));
}

void frmCwKeyboard::cmdMacro_Click(int index)
{
    if (index < 0 || index >= MacroCount)
        return;
    CwText::Fields fields;
    fields.myCall = txtMyCall->text();
    fields.call = m_call ? m_call() : QString();
    fields.rst = txtRst->text();
    const CwText::Expansion expansion = CwText::expand(txtMacro[index]->text(), fields);
    if (expansion.problem.isEmpty()) {
        send(expansion.text);
        return;
    }
    QString hint;
    if (expansion.missing == QLatin1String("MYCALL"))
        hint = tr(" Type your call in My call.");
    else if (expansion.missing == QLatin1String("CALL"))
        hint = tr(" Open the logbook and choose the contact's row.");
    else if (expansion.missing == QLatin1String("RST"))
        hint = tr(" Type the report in RST.");
    say(QStringLiteral("F%1: ").arg(index + 1) + expansion.problem + hint);
}

void frmCwKeyboard::cmdStop_Click()
{
    m_sender.stop();
    say(tr("Stopping..."));
}

void frmCwKeyboard::cmdSwitchToCw_Click()
{
    m_radio.send(Cat::setMode('3'));
}

void frmCwKeyboard::SliderKeyer_Click(int value)
{
    m_radio.send(Cat::setLevel("KS", value, 3));
}

void frmCwKeyboard::cmdClose_Click()
{
    close();
}

void frmCwKeyboard::replyTaken(const QString &reply)
{
    if (reply.startsWith(QLatin1String("KS")))
        showSpeed();
    else if (reply.startsWith(QLatin1String("MD")) || reply.startsWith(QLatin1String("IF")))
        showMode();
}

void frmCwKeyboard::showSpeed()
{
    const QString &value = m_radio.state().KSValue;
    const int wpm = value.toInt();
    const bool known = wpm >= SliderKeyer->minimum() && wpm <= SliderKeyer->maximum();
    if (known && !SliderKeyer->isSliderDown()) {
        const QSignalBlocker quiet(SliderKeyer);
        SliderKeyer->setValue(wpm);
    }
    lblKeyerLevel->setText(known ? tr("%1 wpm").arg(wpm) : tr("Not known yet"));
}

void frmCwKeyboard::showMode()
{
    const QString &mode = m_radio.state().Mode;
    const bool cw = CwSender::isCwMode(mode);
    const bool known = CwSender::isKnownMode(mode);
    const QString name = known ? Cat::modeName(mode[0]) : QString();
    cmdSwitchToCw->setVisible(known && !cw);
    if (!known)
        lblNotCw->setText(tr("The radio's mode is not known yet."));
    else if (cw)
        lblNotCw->setText(tr("The radio is in %1.").arg(name));
    else
        lblNotCw->setText(tr("The radio is in %1, not in CW: it refuses text to send.").arg(name));
}
