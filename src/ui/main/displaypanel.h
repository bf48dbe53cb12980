// The main window's read-out: the large frequency display with VFO and mode, the status flags,
// the RIT/XIT, tone and function texts, the S-meter and SWR bars, the level texts and the
// local and GMT clock. Shows what it is given; it has no behaviour of its own.
#pragma once

#include "core/radio/radiodisplay.h"

#include <QFrame>
#include <array>

class QLabel;
class QProgressBar;

class DisplayPanel : public QFrame
{
    Q_OBJECT
public:
    // The S-meter reading of the radio runs from 0 to this value.
    static constexpr int SMeterMaximum = 30;

    explicit DisplayPanel(QWidget *parent = nullptr);

    // A main-window label (lblFreq ... LblISFreq); false for any other label.
    bool setLabel(RadioView::Label label, const QString &text);
    QLabel *label(RadioView::Label label) const;
    // Values outside the bar's range are held at its ends.
    void setSMeter(int value);
    void setClock(const QString &localText, const QString &gmtText);
    // Stale values (the link to the radio is down) are greyed, and screen readers hear
    // "stale" after each one and in the read-out's description. The clock is never stale.
    void setStale(bool stale);
    bool isStale() const { return m_stale; }

private:
    static constexpr const char *ExplanationProperty = "vanteloExplanation";

    // explanation: what the label shows ("frequency"), spoken after its text.
    QLabel *makeLabel(const char *objectName, const QString &text, const QString &explanation);
    void showText(QLabel *label, const QString &text) const;
    void showSMeterValue();
    QWidget *buildFrequencyRow();
    QWidget *buildStatusFlags();
    QWidget *buildMeters();
    QWidget *buildClock();
    void fixClockSize();

protected:
    void changeEvent(QEvent *event) override;

private:
    std::array<QLabel *, 24> m_labels {};
    QProgressBar *m_sMeter = nullptr;
    QProgressBar *m_swr = nullptr;
    QLabel *m_date = nullptr;
    QLabel *m_gmtDate = nullptr;
    bool m_stale = false;
};
