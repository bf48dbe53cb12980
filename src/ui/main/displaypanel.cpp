#include "ui/main/displaypanel.h"

#include "core/clock/clocktext.h"

#include "ui/common/spokenname.h"
#include "ui/main/displaylabels.h"

#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {
using L = RadioView::Label;

constexpr const char *StaleWord = "stale";
constexpr const char *StaleDescription
    = "Stale: the last value read before the link to the radio went down";

void setPointSize(QLabel *label, int size, bool bold = false)
{
    QFont font = label->font();
    font.setPointSize(size);
    font.setBold(bold);
    label->setFont(font);
}

QProgressBar *makeBar(const char *objectName, const QString &accessibleName, int maximum)
{
    auto *bar = new QProgressBar;
    bar->setObjectName(QLatin1String(objectName));
    bar->setAccessibleName(accessibleName);
    bar->setRange(0, maximum);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setMinimumWidth(220);
    return bar;
}
} // namespace

DisplayPanel::DisplayPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("displayPanel"));
    setAccessibleName(QStringLiteral("Radio display"));
    setFrameShape(QFrame::StyledPanel);
    // A dark read-out with light text, as on the radio's own front panel, and the frequency
    // in amber. The frequency's rule names the panel as well, so that it outranks the rule for
    // all the panel's labels.
    // Stale read-outs are disabled, and grey.
    setStyleSheet(QStringLiteral("#displayPanel { background-color: #13242b; }"
                                 "#displayPanel QLabel { color: #f2f7e8; }"
                                 "#displayPanel QLabel#lblFreq { color: #ffd479; }"
                                 "#displayPanel QLabel:disabled { color: #7b8a90; }"
                                 "#displayPanel QLabel#lblFreq:disabled { color: #7b8a90; }"));

    for (const auto &entry : DisplayLabels::mainWindow()) {
        m_labels[std::size_t(entry.label)]
            = makeLabel(entry.objectName, QString::fromLatin1(entry.designText),
                        QString::fromLatin1(entry.explanation));
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildFrequencyRow());
    layout->addWidget(buildMeters());
    layout->addWidget(buildClock());
}

QLabel *DisplayPanel::makeLabel(const char *objectName, const QString &text,
                                const QString &explanation)
{
    auto *label = new QLabel;
    label->setObjectName(QLatin1String(objectName));
    label->setProperty(ExplanationProperty, explanation);
    showText(label, text);
    return label;
}

// Screen readers announce a read-out by what it shows, then what it is: "14,200.000,
// frequency", "ATT, attenuator"; a blank one by what it is. A stale one ends with "stale".
void DisplayPanel::showText(QLabel *label, const QString &text) const
{
    label->setText(text);
    QString explanation = label->property(ExplanationProperty).toString();
    if (m_stale && !label->isEnabled()) { // the clock stays enabled: it is never stale
        explanation = explanation.isEmpty()
            ? QString::fromLatin1(StaleWord)
            : explanation + QStringLiteral(", ") + QString::fromLatin1(StaleWord);
    }
    label->setAccessibleName(SpokenName::of(text, explanation));
}

QWidget *DisplayPanel::buildFrequencyRow()
{
    auto *row = new QWidget;
    auto *grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);

    setPointSize(label(L::lblVFO), 16, true);
    setPointSize(label(L::LblMode), 16, true);
    grid->addWidget(label(L::lblVFO), 0, 0);
    grid->addWidget(label(L::LblMode), 1, 0);

    QLabel *freq = label(L::lblFreq);
    QFont freqFont(QStringLiteral("Monospace"));
    freqFont.setStyleHint(QFont::TypeWriter);
    freqFont.setPointSize(36);
    freqFont.setBold(true);
    freq->setFont(freqFont);
    freq->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    freq->setMinimumWidth(freq->fontMetrics().horizontalAdvance(QStringLiteral("99,999,999.999")));
    grid->addWidget(freq, 0, 1, 2, 1);

    auto *khz = makeLabel("lblUnit", QStringLiteral("kHz"), QStringLiteral("frequency unit"));
    setPointSize(khz, 14);
    grid->addWidget(khz, 1, 2, Qt::AlignBottom);

    grid->addWidget(buildStatusFlags(), 0, 3, 3, 1);

    auto *info = new QHBoxLayout;
    for (L id :
         {L::lblSubFrequency, L::lblRitXitFreq, L::lblRit, L::lblXit, L::LblTone, L::lblFunction}) {
        setPointSize(label(id), 11, true);
        info->addWidget(label(id));
    }
    info->addStretch();
    grid->addLayout(info, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    return row;
}

QWidget *DisplayPanel::buildStatusFlags()
{
    auto *flags = new QFrame;
    flags->setObjectName(QStringLiteral("statusFlags"));
    flags->setFrameShape(QFrame::Box);
    auto *grid = new QGridLayout(flags);
    grid->setHorizontalSpacing(10);
    const L ids[] = {L::lblFLock, L::lblPreamp, L::lblProc, L::LblVox, L::lblBC, L::lblNB, L::lblNR,
                     L::lblAtt,   L::lblAGC,    L::lblAnt,  L::lblAT,  L::lblTx, L::LblRX};
    int i = 0;
    for (L id : ids) {
        setPointSize(label(id), 10, true);
        label(id)->setMinimumWidth(
            label(id)->fontMetrics().horizontalAdvance(QStringLiteral("PREAMP ")));
        grid->addWidget(label(id), i / 5, i % 5);
        ++i;
    }
    return flags;
}

QWidget *DisplayPanel::buildMeters()
{
    auto *meters = new QWidget;
    auto *grid = new QGridLayout(meters);
    grid->setContentsMargins(0, 0, 0, 0);

    auto *sCaption = makeLabel("Label2", QStringLiteral("S Meter"), {});
    m_sMeter = makeBar("ProgressBar1", QStringLiteral("S meter"), SMeterMaximum);
    sCaption->setBuddy(m_sMeter);
    auto *sScale = makeLabel("Label3", QStringLiteral("1    3    5    7    9   +20  +40  +60"),
                             QStringLiteral("S meter scale"));
    grid->addWidget(sCaption, 0, 0);
    grid->addWidget(m_sMeter, 0, 1);
    grid->addWidget(sScale, 1, 1);

    auto *swrCaption = makeLabel("Label4", QStringLiteral("SWR"), {});
    m_swr = makeBar("ProgressBar4", QStringLiteral("SWR meter"), 100);
    swrCaption->setBuddy(m_swr);
    auto *swrScale = makeLabel("Label1", QStringLiteral("1     1.5     2     3     \u221e"),
                               QStringLiteral("SWR scale"));
    grid->addWidget(swrCaption, 0, 2);
    grid->addWidget(m_swr, 0, 3);
    grid->addWidget(swrScale, 1, 3);

    grid->addWidget(label(L::lblLevel), 0, 4);
    grid->addWidget(label(L::LblISFreq), 1, 4);
    grid->setColumnStretch(5, 1);
    return meters;
}

QWidget *DisplayPanel::buildClock()
{
    auto *clock = new QWidget;
    auto *row = new QHBoxLayout(clock);
    row->setContentsMargins(0, 0, 0, 0);
    m_date = makeLabel("lblDate", QStringLiteral("Date"), QStringLiteral("local time"));
    m_gmtDate = makeLabel("lblGMTDate", QStringLiteral("GMT Date"), QStringLiteral("GMT"));
    row->addWidget(m_date);
    row->addSpacing(40);
    row->addWidget(m_gmtDate);
    row->addStretch();
    fixClockSize();
    return clock;
}

// The clock's texts change every second. A label of a fixed size, as wide as the widest text it
// can show in its font, takes a new text without asking the whole window to lay itself out again.
void DisplayPanel::fixClockSize()
{
    for (QLabel *clock : {m_date, m_gmtDate}) {
        const QString shown = clock->text();
        clock->setMinimumSize(0, 0);
        clock->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        QSize widest;
        for (int month = 1; month <= 12; ++month) {
            for (const QTime time : {QTime(20, 48, 8), QTime(23, 59, 59)}) {
                const QDateTime sample(QDate(2026, month, 28), time, Qt::UTC);
                clock->setText(clock == m_date ? ClockText::localText(sample)
                                               : ClockText::gmtText(sample, QStringLiteral("0")));
                widest = widest.expandedTo(clock->sizeHint());
            }
        }
        // A digit's width to spare, for a font whose digits are not all equally wide.
        widest.rwidth() += clock->fontMetrics().horizontalAdvance(QLatin1Char('0'));
        clock->setText(shown);
        clock->setFixedSize(widest);
    }
}

void DisplayPanel::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if ((event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) && m_date
        && m_gmtDate)
        fixClockSize();
}

QLabel *DisplayPanel::label(RadioView::Label id) const
{
    const auto index = std::size_t(id);
    return index < m_labels.size() ? m_labels[index] : nullptr;
}

bool DisplayPanel::setLabel(RadioView::Label id, const QString &text)
{
    QLabel *target = label(id);
    if (!target)
        return false;
    showText(target, text);
    return true;
}

void DisplayPanel::setSMeter(int value)
{
    m_sMeter->setValue(std::clamp(value, 0, SMeterMaximum));
    showSMeterValue();
}

void DisplayPanel::showSMeterValue()
{
    const QString value = QString::number(m_sMeter->value());
    m_sMeter->setAccessibleDescription(
        m_stale ? value + QStringLiteral(", ") + QString::fromLatin1(StaleDescription) : value);
}

void DisplayPanel::setStale(bool stale)
{
    if (stale == m_stale)
        return;
    m_stale = stale;
    const QString description = stale ? QString::fromLatin1(StaleDescription) : QString();
    setAccessibleDescription(description);
    for (QLabel *label : m_labels) {
        label->setEnabled(!stale);
        label->setAccessibleDescription(description);
        showText(label, label->text());
    }
    m_swr->setEnabled(!stale);
    m_swr->setAccessibleDescription(description);
    m_sMeter->setEnabled(!stale);
    showSMeterValue();
}

void DisplayPanel::setClock(const QString &localText, const QString &gmtText)
{
    showText(m_date, localText);
    showText(m_gmtDate, gmtText);
}
