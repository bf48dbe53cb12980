// Replies interpreted per second: a mixed stream of status words, frequency and level replies
// through the receive buffer and the interpreter, with a display that shows nothing.
#include "benchfigure.h"
#include "core/radio/radio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray status = "IF00014200000     +00000000000200000080;";
    const QList<QByteArray> mix
        = {status,   "FA00014200000;", "FB00007050500;", "AG086;", "SM0015;",
           "PC050;", "RG255;",         "IS-0200;",       status,   "NB1;"};
    // Events of about the size the port delivers at speed: several replies, the last cut.
    QByteArray stream;
    for (int i = 0; i < 1000; ++i)
        stream += mix.at(i % mix.size());
    const int perPass = 1000;
    const int chunk = 64;

    Radio radio;
    qint64 replies = 0;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 3000) {
        for (qsizetype at = 0; at < stream.size(); at += chunk)
            radio.receive(stream.mid(at, chunk));
        replies += perPass;
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("replies interpreted: %lld in %.2f s\n", static_cast<long long>(replies), seconds);
    printFigure("replies interpreted per second", double(replies) / seconds, 0, "",
                BenchTarget::atLeast(1000000));
    std::printf("last frequency: %s kHz\n", qPrintable(radio.state().Freq));
    return 0;
}
