#include "ui/settings/frmsplash.h"

#include "core/settings/settingsstore.h"
#include "ui/common/windowplacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSysInfo>

using WindowPlacement::namedLabel;

namespace {

// A tuning dial: a ring with tick marks and a pointer.
QPixmap dialPicture()
{
    constexpr int size = 96;
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(size / 2.0, size / 2.0);
    painter.setPen(QPen(QColor(40, 40, 40), 3));
    painter.setBrush(QColor(200, 200, 210));
    painter.drawEllipse(QPointF(0, 0), 40, 40);
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    for (int tick = 0; tick < 12; ++tick) {
        painter.drawLine(QPointF(0, -36), QPointF(0, -30));
        painter.rotate(30);
    }
    painter.setPen(QPen(QColor(180, 30, 30), 4, Qt::SolidLine, Qt::RoundCap));
    painter.rotate(40);
    painter.drawLine(QPointF(0, 0), QPointF(0, -26));
    return picture;
}

} // namespace

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Vantelo"));
    // The application title is the name the settings store keeps every value under.
    QCoreApplication::setApplicationName(QString::fromLatin1(SettingsStore::Application));
    createControls();
    layoutControls();
}

QString frmSplash::versionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(VANTELO_VERSION_MAJOR)
        .arg(VANTELO_VERSION_MINOR)
        .arg(VANTELO_VERSION_PATCH);
}

void frmSplash::createControls()
{
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Raised);

    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(dialPicture());
    Image1->setAccessibleName(QStringLiteral("Vantelo tuning dial picture"));

    lblCompanyProduct = namedLabel(Frame1, "lblCompanyProduct", QStringLiteral("Vantelo"));
    QFont big = lblCompanyProduct->font();
    big.setPointSizeF(big.pointSizeF() * 2.0);
    big.setBold(true);
    lblCompanyProduct->setFont(big);
    lblVersion = namedLabel(Frame1, "lblVersion", versionText());
    lblPlatform = namedLabel(Frame1, "lblPlatform", QSysInfo::prettyProductName());
    Label6 = namedLabel(Frame1, "Label6", QStringLiteral("Press Any Key To Continue"));
}

void frmSplash::layoutControls()
{
    auto *grid = new QGridLayout(Frame1);
    grid->setContentsMargins(24, 24, 24, 24);
    grid->setHorizontalSpacing(24);
    grid->addWidget(Image1, 0, 0, 3, 1, Qt::AlignCenter);
    grid->addWidget(lblCompanyProduct, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblPlatform, 2, 1);
    grid->addWidget(Label6, 3, 0, 1, 2, Qt::AlignCenter);

    auto *outer = new QGridLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(Frame1);
}

void frmSplash::Form_KeyPress()
{
    close();
}

void frmSplash::Frame1_Click()
{
    close();
}

void frmSplash::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        WindowPlacement::centreOnScreen(*this);
        activateWindow();
        setFocus(Qt::OtherFocusReason);
    }
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        // A modifier on its own is not yet a key press.
        QWidget::keyPressEvent(event);
        return;
    default:
        event->accept();
        Form_KeyPress();
    }
}

void frmSplash::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    Frame1_Click();
}

void frmSplash::closeEvent(QCloseEvent *event)
{
    // However the window goes away, the program goes on to the main window.
    QWidget::closeEvent(event);
    if (!m_continued) {
        m_continued = true;
        Q_EMIT continued();
    }
}
