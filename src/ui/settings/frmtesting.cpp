#include "ui/settings/frmtesting.h"

#include "core/radio/radio.h"
#include "core/settings/radiocode.h"
#include "core/settings/settingsstore.h"
#include "ui/common/windowplacement.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

frmTesting::frmTesting(Radio &radio, QWidget *parent)
    : QDialog(parent)
    , m_radio(radio)
{
    setObjectName(QStringLiteral("frmTesting"));
    setWindowTitle(QStringLiteral("Testing"));
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    WindowPlacement::fitTitle(*this);
    connectControls();
}

void frmTesting::createControls()
{
    auto *layout = new QVBoxLayout(this);
    const auto addButton = [this, layout](const char *name, const QString &text) {
        auto *button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(text);
        button->setAutoDefault(false);
        layout->addWidget(button);
        return button;
    };
    Command1 = addButton("Command1", QStringLiteral("Enter Radio Code"));
    CmdSimOut1 = addButton("CmdSimOut1", QStringLiteral("Simulate Out #1"));
    CmdSimOut2 = addButton("CmdSimOut2", QStringLiteral("Simulate Out #2"));
}

void frmTesting::connectControls()
{
    connect(Command1, &QPushButton::clicked, this, &frmTesting::Command1_Click);
    connect(CmdSimOut1, &QPushButton::clicked, this, &frmTesting::CmdSimOut1_Click);
    connect(CmdSimOut2, &QPushButton::clicked, this, &frmTesting::CmdSimOut2_Click);
}

void frmTesting::Command1_Click()
{
    const std::optional<QString> typed = askRadioCode();
    if (!typed || typed->isEmpty())
        return;
    const std::optional<QByteArray> command = RadioCode::toCommand(*typed);
    if (!command) {
        showRefusal(QString::fromLatin1(RadioCode::RefusedText));
        return;
    }
    m_radio.send(*command);
}

void frmTesting::CmdSimOut1_Click() { }

void frmTesting::CmdSimOut2_Click()
{
    m_radio.RadioControl();
}

std::optional<QString> frmTesting::askRadioCode()
{
    bool ok = false;
    const QString text = QInputDialog::getText(
        this, QString::fromLatin1(SettingsStore::Application),
        QStringLiteral("Enter the Radio Code to Send"), QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void frmTesting::showRefusal(const QString &text)
{
    QMessageBox::warning(this, QString::fromLatin1(SettingsStore::Application), text);
}

void frmTesting::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        WindowPlacement::centreOnScreen(*this);
    }
}
