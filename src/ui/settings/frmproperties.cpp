#include "ui/settings/frmproperties.h"

#include "core/radio/commport.h"
#include "core/settings/settingsstore.h"
#include "ui/common/windowplacement.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmProperties::frmProperties(CommPort &port, QWidget *parent)
    : frmProperties(port, PortList::systemPorts(), parent)
{
}

frmProperties::frmProperties(CommPort &port, const QList<PortList::SystemPort> &systemPorts,
                             QWidget *parent)
    : QDialog(parent)
    , m_port(port)
    , m_systemPorts(systemPorts)
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QStringLiteral("CommPort Properties"));
    setModal(true);
    createControls();
    layoutControls();
    WindowPlacement::fitTitle(*this);
    connectControls();
    LoadPropertySettings();
}

namespace {

QComboBox *makeList(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(accessibleName);
    list->setFocusPolicy(Qt::StrongFocus);
    return list;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}

QGroupBox *makeFrame(QWidget *parent, const char *name, const QString &title)
{
    auto *frame = new QGroupBox(title, parent);
    frame->setObjectName(QLatin1String(name));
    frame->setAccessibleName(QString(title).remove(QLatin1Char('&')));
    return frame;
}

} // namespace

void frmProperties::createControls()
{
    tabSettings = new QTabWidget(this);
    tabSettings->setObjectName(QStringLiteral("tabSettings"));
    fraSettings = new QFrame;
    fraSettings->setObjectName(QStringLiteral("fraSettings"));
    tabSettings->addTab(fraSettings, QStringLiteral("Properties"));
    tabSettings->setAccessibleName(QStringLiteral("Properties"));

    fraConnection
        = makeFrame(fraSettings, "fraConnection", QStringLiteral("Connection Preferences"));
    fraSpeed = makeFrame(fraSettings, "fraSpeed", QStringLiteral("Maximum Speed"));
    fraFlow = makeFrame(fraSettings, "fraFlow", QStringLiteral("&Flow Control"));
    fraEcho = makeFrame(fraSettings, "fraEcho", QStringLiteral("&Echo"));

    cboPort = makeList(fraConnection, "cboPort", QStringLiteral("Port"));
    cboDataBits = makeList(fraConnection, "cboDataBits", QStringLiteral("Data Bits"));
    cboParity = makeList(fraConnection, "cboParity", QStringLiteral("Parity"));
    cboStopBits = makeList(fraConnection, "cboStopBits", QStringLiteral("Stop Bits"));
    cboSpeed = makeList(fraSpeed, "cboSpeed", QStringLiteral("Maximum Speed"));
    lblPort = makeLabel(fraConnection, "lblPort", QStringLiteral("Port:"), cboPort);
    lblDataBits
        = makeLabel(fraConnection, "lblDataBits", QStringLiteral("Data Bits:"), cboDataBits);
    lblParity = makeLabel(fraConnection, "lblParity", QStringLiteral("Parity:"), cboParity);
    lblStopBits
        = makeLabel(fraConnection, "lblStopBits", QStringLiteral("Stop Bits:"), cboStopBits);

    optFlow = new QButtonGroup(this);
    optFlow->setObjectName(QStringLiteral("optFlow"));
    addOption(optFlow, 0, QStringLiteral("None"));
    addOption(optFlow, 1, QStringLiteral("Xon/Xoff"));
    addOption(optFlow, 2, QStringLiteral("RTS"));
    addOption(optFlow, 3, QStringLiteral("Xon/RTS"));
    optEcho = new QButtonGroup(this);
    optEcho->setObjectName(QStringLiteral("optEcho"));
    addOption(optEcho, 0, QStringLiteral("Off"));
    addOption(optEcho, 1, QStringLiteral("On"));

    cmdOk = new QPushButton(QStringLiteral("OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
}

QRadioButton *frmProperties::addOption(QButtonGroup *group, int index, const QString &text)
{
    QWidget *frame = group == optFlow ? fraFlow : fraEcho;
    auto *option = new QRadioButton(text, frame);
    option->setObjectName(group->objectName() + QLatin1Char('_') + QString::number(index));
    option->setAccessibleName(text);
    option->setFocusPolicy(Qt::StrongFocus);
    group->addButton(option, index);
    return option;
}

void frmProperties::layoutControls()
{
    auto *connection = new QFormLayout(fraConnection);
    connection->addRow(lblPort, cboPort);
    connection->addRow(lblDataBits, cboDataBits);
    connection->addRow(lblParity, cboParity);
    connection->addRow(lblStopBits, cboStopBits);

    auto *speed = new QVBoxLayout(fraSpeed);
    speed->addWidget(cboSpeed);
    auto *flow = new QVBoxLayout(fraFlow);
    for (QAbstractButton *option : optFlow->buttons())
        flow->addWidget(option);
    auto *echo = new QVBoxLayout(fraEcho);
    for (QAbstractButton *option : optEcho->buttons())
        echo->addWidget(option);

    auto *options = new QVBoxLayout;
    options->addWidget(fraSpeed);
    options->addWidget(fraFlow);
    options->addWidget(fraEcho);
    auto *settings = new QHBoxLayout(fraSettings);
    settings->addWidget(fraConnection, 1);
    settings->addLayout(options);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(tabSettings);
    main->addLayout(buttons);

    QWidget *order[] = {tabSettings,
                        cboPort,
                        cboDataBits,
                        cboParity,
                        cboStopBits,
                        cboSpeed,
                        optFlow->button(0),
                        optFlow->button(1),
                        optFlow->button(2),
                        optFlow->button(3),
                        optEcho->button(0),
                        optEcho->button(1),
                        cmdOk,
                        cmdCancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmProperties::connectControls()
{
    connect(optFlow, &QButtonGroup::idClicked, this, &frmProperties::optFlow_Click);
    connect(optEcho, &QButtonGroup::idClicked, this, &frmProperties::optEcho_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmProperties::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmProperties::cmdCancel_Click);
}

void frmProperties::LoadPropertySettings()
{
    const QList<PortList::Entry> ports = PortList::entries(m_systemPorts);
    cboPort->clear();
    for (const PortList::Entry &entry : ports)
        cboPort->addItem(entry.text, entry.value);
    cboSpeed->clear();
    cboSpeed->addItems(PortSettingsText::speeds());
    cboDataBits->clear();
    cboDataBits->addItems(PortSettingsText::dataBits());
    cboParity->clear();
    cboParity->addItems(PortSettingsText::parities());
    cboStopBits->clear();
    cboStopBits->addItems(PortSettingsText::stopBits());

    // A field the lists do not hold shows no selection.
    const PortSettingsText::Fields fields = PortSettingsText::parse(m_port.settings());
    cboSpeed->setCurrentIndex(fields.speed.isEmpty() ? -1 : cboSpeed->findText(fields.speed));
    cboParity->setCurrentIndex(fields.parity.isEmpty() ? -1 : cboParity->findText(fields.parity));
    cboDataBits->setCurrentIndex(
        fields.dataBits.isEmpty() ? -1 : cboDataBits->findText(fields.dataBits));
    cboStopBits->setCurrentIndex(
        fields.stopBits.isEmpty() ? -1 : cboStopBits->findText(fields.stopBits));

    const QString present = m_port.commPort();
    int position = PortList::positionOf(ports, present);
    bool isNumber = false;
    present.trimmed().toInt(&isNumber);
    if (position < 0 && !isNumber && !present.trimmed().isEmpty()) {
        // A device path the system does not list (unplugged, or a device it does not know as
        // serial): offered as it stands so that the present choice shows.
        cboPort->addItem(present, present);
        position = cboPort->count() - 1;
    }
    cboPort->setCurrentIndex(position);

    selectOption(optFlow, m_port.handshaking());
    selectOption(optEcho, 0);
}

void frmProperties::selectOption(QButtonGroup *group, int index)
{
    QAbstractButton *option = group->button(index);
    if (!option) {
        // A value without an option: none is shown selected.
        group->setExclusive(false);
        for (QAbstractButton *button : group->buttons())
            button->setChecked(false);
        group->setExclusive(true);
        return;
    }
    option->setChecked(true);
    if (group == optFlow)
        optFlow_Click(index);
    else
        optEcho_Click(index);
}

void frmProperties::optFlow_Click(int index)
{
    FlowChoice = qint16(index);
}

void frmProperties::optEcho_Click(int index)
{
    EchoChoice = index == 1;
}

QString frmProperties::chosen(const QComboBox *list, const QString &present) const
{
    return list->currentIndex() >= 0 ? list->currentText() : present;
}

QString frmProperties::chosenPort() const
{
    const int position = cboPort->currentIndex();
    return position >= 0 ? cboPort->itemData(position).toString() : m_port.commPort();
}

bool frmProperties::applyPortNumber()
{
    const QString oldPort = m_port.commPort();
    const QString newPort = chosenPort();
    if (PortList::sameValue(oldPort, newPort))
        return true;
    const bool wasOpen = m_port.portOpen();
    if (wasOpen)
        m_port.setPortOpen(false);
    if (m_port.setCommPort(newPort)) {
        m_closedPort = m_closedPort || wasOpen;
        return true;
    }
    // Refused: back to the old port, and the link is not left closed because of it.
    const QString error = m_port.lastError();
    m_port.setCommPort(oldPort);
    if (wasOpen)
        m_port.setPortOpen(true);
    showPortError(error);
    return false;
}

void frmProperties::cmdOk_Click()
{
    if (!applyPortNumber())
        return;

    const PortSettingsText::Fields present = PortSettingsText::parse(m_port.settings());
    const QString settings = PortSettingsText::compose(
        {chosen(cboSpeed, present.speed), chosen(cboParity, present.parity),
         chosen(cboDataBits, present.dataBits), chosen(cboStopBits, present.stopBits)});
    if (!m_port.setSettings(settings)) {
        showPortError(m_port.lastError());
        return;
    }
    if (!m_port.setHandshaking(FlowChoice)) {
        showPortError(m_port.lastError());
        return;
    }

    SettingsStore::save(QStringLiteral("Settings"), m_port.settings());
    SettingsStore::save(QStringLiteral("CommPort"), m_port.commPort());
    SettingsStore::save(QStringLiteral("Handshaking"), QString::number(m_port.handshaking()));
    SettingsStore::save(QStringLiteral("Echo"),
                        EchoChoice ? QStringLiteral("True") : QStringLiteral("False"));

    reopenPort();
    WindowPlacement::restoreDefaultCursor();
    accept();
}

void frmProperties::reopenPort()
{
    // The port was closed here only to change its number; the operator expects the link back.
    if (!m_closedPort || m_port.portOpen())
        return;
    m_closedPort = false;
    if (!m_port.setPortOpen(true))
        showPortError(m_port.lastError());
}

void frmProperties::cmdCancel_Click()
{
    WindowPlacement::restoreDefaultCursor();
    reject();
}

void frmProperties::showPortError(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(SettingsStore::Application), text,
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("portErrorBox"));
    box.exec();
}

void frmProperties::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        WindowPlacement::centreOnScreen(*this);
    }
}
