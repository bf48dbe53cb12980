// The program: the splash window, then the main window; --simulate runs a simulated radio
// inside the program on a pseudo-terminal instead of the stored port, --rigctl-port shares the
// radio on this computer for one run.
#include "core/cw/cwsender.h"
#include "core/db/datafolder.h"
#include "core/db/folderlock.h"
#include "core/net/radiosharing.h"
#include "core/radio/radio.h"
#include "core/radio/smeterpoll.h"
#include "core/settings/sharingstore.h"
#include "sim/simptyserver.h"
#include "ui/main/frmterminal.h"
#include "ui/settings/frmsplash.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

// The value given to --rigctl-port ("--rigctl-port N" or "--rigctl-port=N"), read before the
// application starts so that a bad one is refused even where no window can be shown.
std::optional<QString> rigctlPortArgument(int argc, char *argv[])
{
    const QByteArray name = "--rigctl-port";
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == name || arg == "-" + name)
            return i + 1 < argc ? QString::fromLocal8Bit(argv[i + 1]) : QString();
        if (arg.startsWith(name + '=') || arg.startsWith("-" + name + '='))
            return QString::fromLocal8Bit(arg.mid(arg.indexOf('=') + 1));
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::optional<QString> sharePort = rigctlPortArgument(argc, argv);
    if (sharePort && !SharingStore::portNumber(*sharePort)) {
        std::fprintf(stderr,
                     "vantelo: --rigctl-port needs a TCP port number from 1 to 65535, not "
                     "\"%s\"\n",
                     qPrintable(*sharePort));
        return 2;
    }
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vantelo"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantelo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTELO_VERSION));
    // The desktop entry this program is installed with: the desktop shows its icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vantelo.Vantelo"));

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
    const QCommandLineOption rigctlPort(
        QStringLiteral("rigctl-port"),
        QStringLiteral("Share the radio for this run on 127.0.0.1 port <port> (the rigctld "
                       "protocol), whatever Setup has stored."),
        QStringLiteral("port"));
    parser.addOption(simulate);
    parser.addOption(noSplash);
    parser.addOption(dataDir);
    parser.addOption(rigctlPort);
    parser.process(app);
    if (parser.isSet(dataDir))
        DataFolder::setPath(parser.value(dataDir));
    // One copy per data folder. A folder that cannot be made is reported by the tables.
    DataFolder::ensureExists(nullptr);
    FolderLock folderLock(DataFolder::path());
    switch (folderLock.take()) {
    case FolderLock::Outcome::Held:
        break;
    case FolderLock::Outcome::HeldByAnother:
        std::fprintf(stderr, "vantelo: %s\n", qPrintable(folderLock.problemText()));
        QMessageBox::critical(nullptr, QCoreApplication::applicationName(),
                              folderLock.problemText());
        return 1;
    case FolderLock::Outcome::Unavailable:
        std::fprintf(stderr, "vantelo: %s\n", qPrintable(folderLock.problemText()));
        break;
    }

    SharingSettings sharingChoice = SharingStore::load();
    if (parser.isSet(rigctlPort)) {
        const auto port = SharingStore::portNumber(parser.value(rigctlPort));
        if (!port)
            return 2; // refused above; the parser reads the same argument
        sharingChoice
            = SharingSettings {true, QString::fromLatin1(SharingSettings::DefaultAddress), *port};
    }

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
        // What the simulated radio's keyer sends goes to the log, as vantelo-radio-sim's does.
        QObject::connect(simulator.get(), &SimPtyServer::keyed, &app, [](const QByteArray &text) {
            std::fprintf(stderr, "vantelo: the simulated radio keyed \"%s\"\n",
                         text.trimmed().constData());
        });
    }

    Radio radio;
    SMeterPoll meter(radio);
    meter.start();
    // One sender feeds the radio's keyer, for the CW keyboard and the network clients alike.
    CwSender keyer(radio);
    RadioSharing sharing(radio);
    sharing.backend().setKeyer(&keyer);
    if (!sharing.apply(sharingChoice))
        std::fprintf(stderr, "vantelo: %s\n", qPrintable(sharing.statusText()));
    options.sharing = &sharing;
    options.keyer = &keyer;
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
