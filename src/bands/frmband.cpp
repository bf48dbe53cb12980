#include "bands/frmband.h"

#include "bands/operations/bandactivation.h"
#include "db/tablemodel.h"
#include "tablewindow/datagrid.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>

frmBand::frmBand(Radio &radio, QWidget *parent, const QString &folder)
    : TableWindow(Tables::band(), WindowFacts::band(), parent, folder)
    , m_radio(radio)
{
    cmdActivate = addButton("cmdActivate", QStringLiteral("&Activate"),
                            QStringLiteral("tune the radio to this row"));
    buttonLayout()->addStretch(1);
    cmdClose = addCloseButton(QStringLiteral("&Close"));
    connect(cmdActivate, &QPushButton::clicked, this, &frmBand::cmdActivate_Click);
    connect(this, &frmBand::message, this, &frmBand::showMessage);
}

void frmBand::cmdActivate_Click()
{
    grid()->commitOpenEditor();
    const int current = currentRow();
    if (current < 0) {
        Q_EMIT message(QStringLiteral("No row is selected: choose the band to tune to in the "
                                      "table. Nothing was sent."));
        return;
    }
    const QString refused = BandActivation::activate(m_radio, row(current), current + 1);
    // The grid is left on the row's Mode cell.
    grid()->setCurrentIndex(model()->index(current, model()->fieldIndex(QStringLiteral("Mode"))));
    if (!refused.isEmpty())
        Q_EMIT message(refused);
}

void frmBand::showMessage(const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Information, QCoreApplication::applicationName(), text,
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("msgRefused"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->show();
}
