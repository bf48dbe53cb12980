#include "ui/settings/frmsetup.h"

#include "core/clock/clocktext.h"
#include "core/settings/settingsstore.h"
#include "core/settings/sharingstore.h"
#include "ui/common/spokenname.h"
#include "ui/common/windowplacement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

using WindowPlacement::namedLabel;

frmSetup::frmSetup(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(QStringLiteral("Setup"));
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    layoutControls();
    WindowPlacement::fitTitle(*this);
    connectControls();
    Form_Load();
}

void frmSetup::createControls()
{
    txtGMTOffset = new QLineEdit(this);
    txtGMTOffset->setObjectName(QStringLiteral("txtGMTOffset"));
    txtGMTOffset->setAccessibleName(QStringLiteral("GMT Off-set"));
    txtGMTOffset->setPlaceholderText(QString::fromLatin1(ComputersZone));
    // The empty box says in full what it stands for.
    txtGMTOffset->setMinimumWidth(
        txtGMTOffset->fontMetrics().horizontalAdvance(txtGMTOffset->placeholderText()) + 24);
    txtGMTOffset->setAccessibleDescription(
        QStringLiteral("Hours: + for ahead of GMT, - for behind GMT; empty for the %1")
            .arg(QLatin1String(ComputersZone)));
    txtMainFreqInc = new QLineEdit(QStringLiteral("Hz"), this);
    txtMainFreqInc->setObjectName(QStringLiteral("txtMainFreqInc"));
    txtMainFreqInc->setAccessibleName(QStringLiteral("Main Freq Increments"));

    lblGMT = namedLabel(this, "lblGMT", QStringLiteral("GMT Off-set"));
    lblGMT->setBuddy(txtGMTOffset);
    Label1 = namedLabel(this, "Label1", QStringLiteral("+ for ahead of GMT"));
    Label2 = namedLabel(this, "Label2", QStringLiteral("- for behind GMT"));
    Label4 = namedLabel(this, "Label4", QStringLiteral("Main Freq Increments"));
    Label4->setBuddy(txtMainFreqInc);
    Label5 = namedLabel(this, "Label5", QStringLiteral("eg 1000 = 1 Khz"));
    Label3 = namedLabel(
        this, "Label3",
        QStringLiteral("Close takes a changed offset at once. Left empty, the clock and the "
                       "logbook follow the computer's time zone, summer and winter."));
    Label3->setWordWrap(true);

    chkShare = new QCheckBox(QStringLiteral("&Share the radio on TCP port"), this);
    chkShare->setObjectName(QStringLiteral("chkShare"));
    chkShare->setAccessibleName(SpokenName::of(
        chkShare->text(), QStringLiteral("lets programs such as WSJT-X or fldigi work the radio")));
    spnSharePort = new QSpinBox(this);
    spnSharePort->setObjectName(QStringLiteral("spnSharePort"));
    spnSharePort->setRange(1, 65535);
    spnSharePort->setValue(RigctlServer::DefaultPort);
    spnSharePort->setAccessibleName(
        SpokenName::of(chkShare->text(), QStringLiteral("port number")));
    txtShareAddress = new QLineEdit(this);
    txtShareAddress->setObjectName(QStringLiteral("txtShareAddress"));
    lblShareAddress = namedLabel(this, "lblShareAddress", QStringLiteral("Add&ress"));
    lblShareAddress->setBuddy(txtShareAddress);
    lblShareAddress->setAccessibleName(SpokenName::caption(lblShareAddress->text()));
    txtShareAddress->setAccessibleName(SpokenName::of(
        lblShareAddress->text(),
        QStringLiteral("where the shared radio listens; 127.0.0.1 is this computer only")));
    lblShareNote = namedLabel(
        this, "lblShareNote",
        QStringLiteral("Taken at once. Clients connect as to Hamlib's rigctld (model 2)."));
    lblShareNote->setWordWrap(true);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
}

void frmSetup::layoutControls()
{
    auto *grid = new QGridLayout(this);
    grid->addWidget(lblGMT, 0, 0);
    grid->addWidget(txtGMTOffset, 0, 1);
    grid->addWidget(Label1, 0, 2);
    grid->addWidget(Label2, 1, 2);
    grid->addWidget(Label4, 2, 0);
    grid->addWidget(txtMainFreqInc, 2, 1);
    grid->addWidget(Label5, 2, 2);
    grid->addWidget(Label3, 3, 0, 1, 3);
    grid->addWidget(chkShare, 4, 0, 1, 2);
    grid->addWidget(spnSharePort, 4, 2);
    grid->addWidget(lblShareAddress, 5, 0);
    grid->addWidget(txtShareAddress, 5, 1, 1, 2);
    grid->addWidget(lblShareNote, 6, 0, 1, 3);
    grid->addWidget(cmdClose, 7, 2, Qt::AlignRight);
    setTabOrder(txtGMTOffset, txtMainFreqInc);
    setTabOrder(txtMainFreqInc, chkShare);
    setTabOrder(chkShare, spnSharePort);
    setTabOrder(spnSharePort, txtShareAddress);
    setTabOrder(txtShareAddress, cmdClose);
}

void frmSetup::connectControls()
{
    connect(cmdClose, &QPushButton::clicked, this, &frmSetup::cmdClose_Click);
    connect(chkShare, &QCheckBox::toggled, this, &frmSetup::shareChanged);
    connect(spnSharePort, &QSpinBox::editingFinished, this, &frmSetup::shareChanged);
    connect(txtShareAddress, &QLineEdit::editingFinished, this, &frmSetup::shareChanged);
}

void frmSetup::Form_Load()
{
    m_shownOffset = SettingsStore::gmtOffset();
    txtGMTOffset->setText(m_shownOffset);
    m_sharing = SharingStore::load();
    showSharing(m_sharing);
}

void frmSetup::showSharing(const SharingSettings &settings)
{
    const QSignalBlocker blockCheck(chkShare);
    const QSignalBlocker blockPort(spnSharePort);
    const QSignalBlocker blockAddress(txtShareAddress);
    chkShare->setChecked(settings.enabled);
    spnSharePort->setValue(settings.port);
    txtShareAddress->setText(settings.address);
}

SharingSettings frmSetup::shownSharing() const
{
    SharingSettings settings;
    settings.enabled = chkShare->isChecked();
    settings.port = quint16(spnSharePort->value());
    settings.address = txtShareAddress->text().trimmed();
    return settings;
}

void frmSetup::shareChanged()
{
    if (m_sharingBusy)
        return;
    m_sharingBusy = true;
    const SharingSettings wanted = shownSharing();
    bool take = wanted != m_sharing;
    if (take && QHostAddress(wanted.address).isNull()) {
        lblShareNote->setText(
            tr("\"%1\" is not an IP address (such as 127.0.0.1); the address stays %2.")
                .arg(wanted.address, m_sharing.address));
        take = false;
    } else if (take && wanted.enabled && !RadioSharing::isLocalOnly(wanted.address)
               && (!m_sharing.enabled || wanted.address != m_sharing.address)) {
        const QString question
            = tr("The rigctld protocol has no password: anyone who can reach %1 on port %2 "
                 "can work the radio, the transmitter included.\n\nShare the radio on %1?")
                  .arg(wanted.address)
                  .arg(wanted.port);
        const bool yes = m_askAddress
            ? m_askAddress(this, question)
            : QMessageBox::warning(this, tr("Share the radio"), question,
                                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                == QMessageBox::Yes;
        take = yes;
        if (!yes)
            lblShareNote->setText(tr("Not shared on %1.").arg(wanted.address));
    }
    if (take) {
        m_sharing = wanted;
        SharingStore::save(m_sharing);
        Q_EMIT sharingChanged(m_sharing);
    }
    showSharing(m_sharing);
    m_sharingBusy = false;
}

void frmSetup::cmdClose_Click()
{
    const QString typed = txtGMTOffset->text();
    if (typed != m_shownOffset) {
        const QString key = QString::fromLatin1(SettingsStore::GmtOffsetKey);
        if (ClockText::followsZone(typed))
            SettingsStore::remove(key);
        else
            SettingsStore::save(key, typed);
        m_shownOffset = typed;
        Q_EMIT gmtOffsetChanged(ClockText::followsZone(typed) ? QString() : typed);
    }
    WindowPlacement::restoreDefaultCursor();
    close();
}

void frmSetup::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        WindowPlacement::centreOnScreen(*this);
    }
}
