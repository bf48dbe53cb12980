// Latency of one tuning step as the operator sees it: from the click on "&>>" to lblFreq
// showing the frequency of the radio's answering status word, against the simulated radio at
// 9600 baud. Each figure is divided by the time the bytes of that exchange (the commands the
// click writes and the radio's replies up to the status word) need on the wire.
// Target: at most 1.5.
#include "benchapplication.h"
#include "core/radio/cat.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"
#include "ui/main/frmterminal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    BenchApplication app(argc, argv);

    constexpr int Baud = 9600;
    constexpr int Clicks = 20;
    SimOptions options;
    options.baud = Baud;
    SimPtyServer simulator(options);
    if (!simulator.start()) {
        std::fprintf(stderr, "simulated radio: %s\n", qPrintable(simulator.errorString()));
        return 1;
    }
    Radio radio;
    frmTerminal window(radio, TerminalOptions {simulator.devicePath()});
    window.prompts().warning
        = [](QWidget *, const QString &text) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
    window.show();
    if (!window.Form_Load()
        || !QTest::qWaitFor([&radio] { return radio.state().StartupLoading == "0"; }, 60000)) {
        std::fprintf(stderr, "the synchronisation did not finish\n");
        return 1;
    }
    auto *stepUp = window.findChild<QAbstractButton *>(QStringLiteral("CmdStepUp"));
    auto *freq = window.findChild<QLabel *>(QStringLiteral("lblFreq"));
    if (!stepUp || !freq) {
        std::fprintf(stderr, "the step button or the frequency display is missing\n");
        return 1;
    }

    std::vector<double> latencyMs;
    std::vector<double> ratios;
    for (int i = 0; i < Clicks; ++i) {
        QTest::qWait(150); // let the previous exchange and its reports finish
        const QString expected = Cat::formatFreqHz(simulator.radio().frequency() + 1000);
        const qint64 inBefore = simulator.bytesReceived();
        const qint64 outBefore = simulator.bytesSent();
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(stepUp, Qt::LeftButton);
        // The click shows the computed frequency at once; only the status word writes the
        // display again, so it is blanked here to see that moment.
        freq->clear();
        bool answered = false;
        while (clock.elapsed() < 5000) {
            if (freq->text() == expected) {
                answered = true;
                break;
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        const qint64 elapsedNs = clock.nsecsElapsed();
        if (!answered) {
            std::fprintf(stderr, "click %d: no answer within 5 s\n", i + 1);
            continue;
        }
        const qint64 bytes
            = (simulator.bytesReceived() - inBefore) + (simulator.bytesSent() - outBefore);
        const double wireNs = double(SimPtyServer::wireTimeNs(bytes, Baud));
        latencyMs.push_back(double(elapsedNs) / 1e6);
        ratios.push_back(double(elapsedNs) / wireNs);
    }
    if (ratios.empty())
        return 1;
    std::sort(latencyMs.begin(), latencyMs.end());
    std::sort(ratios.begin(), ratios.end());
    std::printf("clicks answered: %zu of %d at %d baud\n", ratios.size(), Clicks, Baud);
    std::printf("latency click to display: median %.1f ms, worst %.1f ms\n", median(latencyMs),
                latencyMs.back());
    std::printf("latency / wire time: median %.2f, worst %.2f\n", median(ratios), ratios.back());
    printFigure("step click to display, ratio to wire time", median(ratios), 2, "",
                BenchTarget::atMost(1.5));
    return 0;
}
