#include "ui/tablewindow/tablewindowfacts.h"

#include "core/radio/cattables.h"

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
        f.pickers = {modePicker()};
        f.size = QSize(520, 420);
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
        f.gridGrows = false;
        f.pickers = {modePicker()};
        f.size = QSize(640, 360);
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
        return f;
    }();
    return facts;
}

} // namespace WindowFacts
