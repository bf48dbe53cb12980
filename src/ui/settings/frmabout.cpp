#include "ui/settings/frmabout.h"

#include "ui/common/windowplacement.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using WindowPlacement::namedLabel;

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Vantelo"));
    setAttribute(Qt::WA_DeleteOnClose);

    lblTitle = namedLabel(this, "lblTitle", QStringLiteral("Vantelo"));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle->setFont(big);
    lblDescription
        = namedLabel(this, "lblDescription",
                     QStringLiteral("A radio control program for Kenwood transceivers."));
    lblVersion = namedLabel(this, "lblVersion",
                            QStringLiteral("Version %1").arg(QLatin1String(VANTELO_VERSION)));
    cmdOk = new QPushButton(QStringLiteral("OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(lblDescription);
    layout->addWidget(lblVersion);
    layout->addWidget(cmdOk, 0, Qt::AlignRight);
    WindowPlacement::fitTitle(*this);

    connect(cmdOk, &QPushButton::clicked, this, &frmAbout::cmdOk_Click);
}

void frmAbout::cmdOk_Click()
{
    WindowPlacement::restoreDefaultCursor();
    close();
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        WindowPlacement::centreOnScreen(*this);
    }
}
