#include "ui/tablewindow/tablewindowfacts.h"

#include "core/radio/cat.h"
#include "core/radio/cattables.h"
#include "core/radio/plainnumber.h"

namespace WindowFacts {

QStringList modeEntries()
{
    return {QStringLiteral(" "),  QStringLiteral("LSB"),  QStringLiteral("USB"),
            QStringLiteral("CW"), QStringLiteral("CW-R"), QStringLiteral("AM"),
            QStringLiteral("FM"), QStringLiteral("FSK"),  QStringLiteral("FSK-R")};
}

QStringList toneEntries()
{
    QStringList entries {QStringLiteral(" ")};
    for (int tone = 1; tone <= Cat::ToneCount; ++tone)
        entries << Cat::toneText(tone);
    return entries;
}

namespace {
PickerColumn modePicker()
{
    return {QStringLiteral("Mode"), QStringLiteral("Combo1"), modeEntries()};
}

// A frequency cell as a question names it: "10,120" for 10120; text that is no number as it
// stands.
QString khz(const QString &cell)
{
    const std::optional<qint64> hz = PlainNumber::thousandths(cell);
    return hz ? Cat::khzCell(*hz) : cell.trimmed();
}

// The non-blank parts joined by ", ".
QString named(const QStringList &parts)
{
    QStringList shown;
    for (const QString &part : parts) {
        if (!part.trimmed().isEmpty())
            shown << part.trimmed();
    }
    return shown.isEmpty() ? QStringLiteral("this empty row") : shown.join(QStringLiteral(", "));
}

// "30 m CW, 10,120 kHz"
QString bandRowName(const QStringList &cells)
{
    const QString frequency = khz(cells.value(0));
    return named(
        {cells.value(2), frequency.isEmpty() ? QString() : frequency + QStringLiteral(" kHz")});
}

// "40 m CW, 7,000 to 7,040 kHz"
QString scanRowName(const QStringList &cells)
{
    const QString start = khz(cells.value(0));
    const QString end = khz(cells.value(1));
    QString range;
    if (!start.isEmpty() || !end.isEmpty())
        range = QStringLiteral("%1 to %2 kHz").arg(start, end);
    return named({cells.value(5), range});
}

// "menu 01, Display brightness"
QString menuRowName(const QStringList &cells)
{
    const QString menu = cells.value(0).trimmed();
    return named({menu.isEmpty() ? QString() : QStringLiteral("menu ") + menu, cells.value(3)});
}
} // namespace

const TableWindowFacts &memory()
{
    static const TableWindowFacts facts = [] {
        TableWindowFacts f;
        f.objectName = QStringLiteral("frmMemory");
        f.title = QStringLiteral("Memory");
        f.gridName = QStringLiteral("Memory channels");
        f.rowAfterActivation = RowAfterActivation::AfterLast;
        f.headerSort = true;
        f.pickers
            = {modePicker(), {QStringLiteral("Tone"), QStringLiteral("Combo2"), toneEntries()}};
        // The channel number: the transfers and the scan find each channel's row by it.
        f.readOnly = {QStringLiteral("Mem")};
        f.valueSorted = {QStringLiteral("FreqMain"), QStringLiteral("FreqSplit")};
        f.rules = {{QStringLiteral("FreqMain"), CellRules::Rule::RadioFrequency},
                   {QStringLiteral("FreqSplit"), CellRules::Rule::RadioFrequency}};
        f.size = QSize(760, 560);
        return f;
    }();
    return facts;
}

const TableWindowFacts &band()
{
    static const TableWindowFacts facts = [] {
        TableWindowFacts f;
        f.objectName = QStringLiteral("frmBand");
        f.title = QStringLiteral("Band");
        f.gridName = QStringLiteral("Band list");
        f.rowAfterActivation = RowAfterActivation::First;
        f.recordCaption = true;
        f.headerSort = true;
        f.valueSorted = {QStringLiteral("Frequency")};
        f.rules = {{QStringLiteral("Frequency"), CellRules::Rule::RadioFrequency}};
        f.pickers = {modePicker()};
        f.size = QSize(520, 420);
        f.rowName = &bandRowName;
        return f;
    }();
    return facts;
}

const TableWindowFacts &scan()
{
    static const TableWindowFacts facts = [] {
        TableWindowFacts f;
        f.objectName = QStringLiteral("frmFreqScan");
        f.title = QStringLiteral("Scan");
        f.gridName = QStringLiteral("Scan ranges");
        f.rowAfterActivation = RowAfterActivation::First;
        f.headerSort = true;
        f.valueSorted = {QStringLiteral("FreqStart"), QStringLiteral("FreqEnd"),
                         QStringLiteral("Step"), QStringLiteral("Pause")};
        f.rules = {{QStringLiteral("FreqStart"), CellRules::Rule::RadioFrequency},
                   {QStringLiteral("FreqEnd"), CellRules::Rule::RadioFrequency},
                   {QStringLiteral("Step"), CellRules::Rule::ScanStep},
                   {QStringLiteral("Pause"), CellRules::Rule::ScanPause}};
        f.pickers = {modePicker()};
        f.size = QSize(640, 360);
        f.rowName = &scanRowName;
        return f;
    }();
    return facts;
}

const TableWindowFacts &logging()
{
    static const TableWindowFacts facts = [] {
        TableWindowFacts f;
        f.objectName = QStringLiteral("frmLogging");
        f.title = QStringLiteral("Logging Details");
        f.gridName = QStringLiteral("Logbook");
        f.rowAfterActivation = RowAfterActivation::Last;
        f.recordCaption = true;
        f.headerSort = true;
        f.valueSorted = {QStringLiteral("Frequency")};
        f.rules = {{QStringLiteral("Frequency"), CellRules::Rule::LogFrequency},
                   {QStringLiteral("CallSign"), CellRules::Rule::CallSign}};
        f.captions = {{QStringLiteral("DateLocal"), QStringLiteral("Local")},
                      {QStringLiteral("DateGMT"), QStringLiteral("GMT")}};
        f.size = QSize(760, 520);
        return f;
    }();
    return facts;
}

const TableWindowFacts &menu()
{
    static const TableWindowFacts facts = [] {
        TableWindowFacts f;
        f.objectName = QStringLiteral("frmMenu");
        f.title = QStringLiteral("Menu");
        f.gridName = QStringLiteral("Radio menu settings");
        f.rowAfterActivation = RowAfterActivation::First;
        f.recordCaption = true;
        f.firstCaption = QStringLiteral(" Menu");
        f.size = QSize(620, 420);
        f.rowName = &menuRowName;
        return f;
    }();
    return facts;
}

} // namespace WindowFacts
