#include "settings/frmsetup.h"

#include "settings/settingsstore.h"
#include "settings/windowplacement.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
    txtGMTOffset->setAccessibleDescription(
        QStringLiteral("Hours: + for ahead of GMT, - for behind GMT"));
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
        QStringLiteral("You will need to Close and re-start Program for settings to take affect"));
    Label3->setWordWrap(true);

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
    grid->addWidget(cmdClose, 4, 2, Qt::AlignRight);
    setTabOrder(txtGMTOffset, txtMainFreqInc);
    setTabOrder(txtMainFreqInc, cmdClose);
}

void frmSetup::connectControls()
{
    connect(cmdClose, &QPushButton::clicked, this, &frmSetup::cmdClose_Click);
}

void frmSetup::Form_Load()
{
    txtGMTOffset->setText(SettingsStore::gmtOffset());
}

void frmSetup::cmdClose_Click()
{
    SettingsStore::save(QStringLiteral("GMTOffset"), txtGMTOffset->text());
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
