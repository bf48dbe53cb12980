// The program: the splash window, then the main window; --simulate runs a simulated radio
// inside the program on a pseudo-terminal instead of the stored port.
#include "db/datafolder.h"
#include "frmterminal.h"
#include "radio/radio.h"
#include "settings/frmsplash.h"
#include "sim/simptyserver.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vantelo"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantelo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTELO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Works a Kenwood HF transceiver over its serial CAT link."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Work a simulated radio inside the program instead of the stored port."));
    const QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                      QStringLiteral("Start without the splash window."));
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep the tables (memory channels, band list, scan ranges, logbook, "
                       "radio menu) in <dir> instead of the per-user data folder."),
        QStringLiteral("dir"));
    parser.addOption(simulate);
    parser.addOption(noSplash);
    parser.addOption(dataDir);
    parser.process(app);
    if (parser.isSet(dataDir))
        DataFolder::setPath(parser.value(dataDir));

    std::unique_ptr<SimPtyServer> simulator;
    TerminalOptions options;
    if (parser.isSet(simulate)) {
        simulator = std::make_unique<SimPtyServer>(SimOptions {});
        if (!simulator->start()) {
            QMessageBox::critical(nullptr, QCoreApplication::applicationName(),
                                  QStringLiteral("The simulated radio cannot be started: %1")
                                      .arg(simulator->errorString()));
            return 1;
        }
        options.simulatedPort = simulator->devicePath();
    }

    Radio radio;
    frmTerminal window(radio, options);
    const auto begin = [&window] {
        window.show();
        window.Form_Load();
    };
    if (parser.isSet(noSplash)) {
        begin();
    } else {
        auto *splash = new frmSplash; // deletes itself when closed
        QObject::connect(splash, &frmSplash::continued, &window, begin);
        splash->show();
    }
    return app.exec();
}
