// Activating a band row: the commands for each VFO value and mode, what the main window's
// frequency label shows, and the cells that are refused while the other steps still run.
#include "common/commandlog.h"
#include "common/recordingdisplay.h"
#include "core/bands/bandactivation.h"

#include <QTest>

class tst_BandActivation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commandsPerVfoAndMode_data();
    void commandsPerVfoAndMode();
};

void tst_BandActivation::commandsPerVfoAndMode_data()
{
    QTest::addColumn<QString>("vfo");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("shown"); // on lblFreq; "<unset>" when nothing was shown
    QTest::addColumn<QString>("refusedCell"); // named in the message; empty when none

    const QString unset = QStringLiteral("<unset>");
    const auto row = [](const char *name, const char *vfo, const char *frequency, const char *mode,
                        QStringList commands, const QString &shown, const char *refused = "") {
        QTest::newRow(name) << vfo << frequency << mode << commands << shown << refused;
    };
    const QStringList usb {"MD2;", "MD;", "IF;"};

    // The VFO in use decides the frequency commands.
    row("VFO A", "0", "14200", "USB", QStringList {"FA00014200000;", "IF;"} + usb, "14,200.000");
    row("VFO B", "1", "7050.5", "LSB", {"FB00007050500;", "IF;", "MD1;", "MD;", "IF;"},
        "7,050.500");
    row("value 3", "3", "21300", "CW", {"FR0;", "FA00021300000;", "FA;", "MD3;", "MD;", "IF;"},
        "21,300.000");
    row("memory", "2", "14200", "USB", usb, unset);
    row("VFO not reported", "", "14200", "USB", usb, unset);

    // Frequencies to whole hertz.
    row("top of the field", "0", "29999.999", "USB", QStringList {"FA00029999999;", "IF;"} + usb,
        "29,999.999");
    row("nearest hertz", "0", "7050.0005", "USB", QStringList {"FA00007050001;", "IF;"} + usb,
        "7,050.001");
    row("grouped thousands", "1", "14,195.5", "USB", QStringList {"FB00014195500;", "IF;"} + usb,
        "14,195.500");

    // Rows without a frequency send only the mode steps, silently.
    row("frequency 0", "0", "0", "USB", usb, unset);
    row("frequency blank", "0", " ", "USB", usb, unset);

    // Frequencies that cannot be sent are named; the mode step still runs.
    row("trailing letters", "0", "14200abc", "USB", usb, unset, "Frequency");
    row("negative", "0", "-7000", "USB", usb, unset, "Frequency");
    row("beyond 11 digits", "0", "100000000", "USB", usb, unset, "Frequency");
    row("decimal comma", "0", "7050,5", "USB", usb, unset, "Frequency");

    // Modes.
    row("no mode", "0", "14200", " ", {"FA00014200000;", "IF;", "MD;;", "MD;", "IF;"},
        "14,200.000");
    row("empty mode", "0", "0", "", {"MD;", "MD;", "IF;"}, unset);
    row("FSK-R", "0", "0", "FSK-R", {"MD9;", "MD;", "IF;"}, unset);
    row("a mode digit", "0", "0", "4", {"MD4;", "MD;", "IF;"}, unset);
    // A cell that would carry a command of its own to the radio sends no mode.
    row("mode with a command", "0", "14200", "USB;TX1", {"FA00014200000;", "IF;", "MD;", "IF;"},
        "14,200.000", "Mode");
}

void tst_BandActivation::commandsPerVfoAndMode()
{
    QFETCH(QString, vfo);
    QFETCH(QString, frequency);
    QFETCH(QString, mode);
    QFETCH(QStringList, commands);
    QFETCH(QString, shown);
    QFETCH(QString, refusedCell);

    Radio radio;
    RecordingDisplay display;
    radio.setDisplay(&display);
    CommandLog log(radio);
    radio.state().VFO = vfo;

    const QString refused
        = BandActivation::activate(radio, BandRow {frequency, mode, QStringLiteral("x")}, 4);
    QCOMPARE(log.commands, commands);
    QCOMPARE(display.label(RadioView::Label::lblFreq), shown);
    const QString cell = refusedCell == QLatin1String("Mode") ? mode : frequency;
    const QString named = QStringLiteral("Row 4: the %1 cell \"%2\"").arg(refusedCell, cell);
    QVERIFY2(refusedCell.isEmpty() ? refused.isEmpty() : refused.startsWith(named),
             qPrintable(refused));
    radio.setDisplay(nullptr);
}

QTEST_GUILESS_MAIN(tst_BandActivation)
#include "tst_bandactivation.moc"
