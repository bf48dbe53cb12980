#include "ui/logbook/frmlogging.h"

#include "core/db/tablemodel.h"
#include "core/exchange/logbookfile.h"
#include "core/logbook/logquestions.h"
#include "core/logbook/logstamp.h"
#include "core/logbook/logtime.h"
#include "core/radio/radiostate.h"
#include "ui/logbook/logtimedelegate.h"
#include "ui/tablewindow/datagrid.h"
#include "ui/tablewindow/navigationbar.h"

#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>
#include <utility>

namespace {
constexpr const char *Local = "DateLocal";
constexpr const char *Gmt = "DateGMT";
constexpr const char *Frequency = "Frequency";
constexpr const char *Mode = "Mode";
constexpr const char *CallSign = "CallSign";
} // namespace

frmLogging::frmLogging(const RadioState &radio, QWidget *parent, const QString &folder)
    : TableWindow(Tables::logging(), WindowFacts::logging(), parent, folder)
    , m_radio(radio)
{
    cmdDateTime = addButton("cmdDateTime", QStringLiteral("Date/&Time/Freq/Mode"),
                            QStringLiteral("stamp the current row with the present local time, "
                                           "GMT and the radio's frequency and mode"));
    cmdAdd = addButton("cmdAdd", QStringLiteral("&Add"),
                       QStringLiteral("a new row at the end for the next contact"));
    cmdDelete = addButton("cmdDelete", QStringLiteral("&Delete"),
                          QStringLiteral("delete the current contact, after asking"));
    cmdRefresh = addButton("cmdRefresh", QStringLiteral("&Refresh"),
                           QStringLiteral("read the logbook again"));
    cmdUpdate
        = addButton("cmdUpdate", QStringLiteral("&Update"), QStringLiteral("save the current row"));
    cmdClose = addCloseButton(QStringLiteral("&Close"));

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);
    if (auto *column = qobject_cast<QVBoxLayout *>(layout()))
        column->addWidget(lblStatus);
    buildMenu();
    addEditMenu(true, QStringLiteral("&Delete Row"));
    wireUp();
}

void frmLogging::buildMenu()
{
    menuBar = addMenuBar();
    QMenu *logbook = addWindowMenu(menuBar, "mnuLogbook", QStringLiteral("&Logbook"));
    mnuExportAdif = addMenuEntry(logbook, "mnuExportAdif", QStringLiteral("E&xport ADIF..."),
                                 QStringLiteral("Write every contact to an ADIF file"));
    mnuImportAdif = addMenuEntry(
        logbook, "mnuImportAdif", QStringLiteral("&Import ADIF..."),
        QStringLiteral("Add the contacts of an ADIF file that are not in the logbook yet"));
}

void frmLogging::wireUp()
{
    connect(cmdDateTime, &QPushButton::clicked, this, &frmLogging::cmdDateTime_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmLogging::cmdAdd_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmLogging::cmdDelete_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmLogging::cmdRefresh_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &frmLogging::cmdUpdate_Click);
    connect(mnuExportAdif, &QAction::triggered, this, &frmLogging::mnuExportAdif_Click);
    connect(mnuImportAdif, &QAction::triggered, this, &frmLogging::mnuImportAdif_Click);
    // A cell written (typed, picked or stamped) or a new row given up is a success too.
    connect(model(), &QAbstractItemModel::dataChanged, this, &frmLogging::clearRefusal);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &frmLogging::clearRefusal);
}

bool frmLogging::event(QEvent *event)
{
    // The activation reads the table afresh, which drops a new row nobody has typed in yet (it
    // is never saved). The operator who went to the main window to tune before stamping finds
    // it again.
    const bool newRow = event->type() == QEvent::WindowActivate && ready() && onUntouchedNewRow();
    const bool handled = TableWindow::event(event);
    if (newRow && !onUntouchedNewRow())
        addNewRow();
    return handled;
}

void frmLogging::showEvent(QShowEvent *event)
{
    TableWindow::showEvent(event);
    if (!m_columnsDressed && ready())
        dressColumns();
}

void frmLogging::dressColumns()
{
    m_columnsDressed = true;
    const int width
        = grid()->fontMetrics().horizontalAdvance(QStringLiteral("06 Dec 2026 19:05:07")) + 24;
    for (const char *field : {Local, Gmt}) {
        const int c = column(field);
        model()->setDisplayForm(c, &LogTime::shown);
        const QString caption = facts().captions.value(QLatin1String(field));
        auto *delegate = new LogTimeDelegate(caption, grid());
        connect(delegate, &LogTimeDelegate::refused, this, &frmLogging::showRefusal,
                Qt::QueuedConnection);
        grid()->setItemDelegateForColumn(c, delegate);
        grid()->setColumnWidth(c, width);
    }
    grid()->viewport()->update();
}

bool frmLogging::ready() const
{
    return isLoaded() && model()->keyColumn() >= 0 && !model()->tableName().isEmpty();
}

int frmLogging::column(const char *field) const
{
    return model()->fieldIndex(QLatin1String(field));
}

QString frmLogging::cell(int row, const char *field) const
{
    return model()->index(row, column(field)).data(Qt::EditRole).toString();
}

bool frmLogging::setCell(int row, const char *field, const QString &text)
{
    return model()->setData(model()->index(row, column(field)), text, Qt::EditRole);
}

QVariant frmLogging::newestKey() const
{
    QSqlQuery query(model()->database());
    if (!query.exec(QStringLiteral("SELECT max(%1) FROM %2")
                        .arg(Tables::quoted(QLatin1String(KeyColumn)),
                             Tables::quoted(model()->tableName())))
        || !query.next())
        return QVariant();
    return query.value(0);
}

bool frmLogging::onUntouchedNewRow() const
{
    return model()->isUntouchedNewRow(currentRow());
}

QString frmLogging::statusText() const
{
    return lblStatus->text();
}

void frmLogging::say(const QString &text)
{
    lblStatus->setText(text);
    m_refusalShown = false;
}

void frmLogging::showRefusal(const QString &text)
{
    say(text);
    m_refusalShown = true;
    TableWindow::showRefusal(text);
}

void frmLogging::clearRefusal()
{
    if (std::exchange(m_refusalShown, false))
        lblStatus->clear();
}

// --- The stamp ------------------------------------------------------------------------------

void frmLogging::cmdDateTime_Click()
{
    if (!ready() || refuseWhenReadOnly())
        return;
    grid()->commitOpenEditor();
    const int row = currentRow();
    if (row < 0) {
        say(QStringLiteral("There is no row to stamp: press Add for a new contact first."));
        return;
    }
    // A saved contact keeps its time unless the operator says otherwise.
    const QVariant key = keyOf(row);
    bool holdsStamp = false;
    for (const char *field : {Local, Gmt, Frequency, Mode})
        holdsStamp = holdsStamp || !cell(row, field).trimmed().isEmpty();
    if (key.isNull() || !holdsStamp) {
        stamp(row);
        return;
    }
    ask(LogQuestions::restampQuestion(cell(row, CallSign), cell(row, Local)), [this, key, row] {
        if (const int now = rowOfKey(key, row); now >= 0)
            stamp(now);
    });
}

void frmLogging::stamp(int row)
{
    const LogStamp::Cells cells
        = LogStamp::cells(m_now(), m_radio.GMTOffset, m_radio.Freq, m_radio.Mode);
    bool written = setCell(row, Local, cells.local) && setCell(row, Gmt, cells.gmt);
    if (cells.frequency)
        written = written && setCell(row, Frequency, *cells.frequency);
    if (cells.mode)
        written = written && setCell(row, Mode, *cells.mode);
    // The grid is left on the Mode cell, the call sign one step to the right.
    grid()->setCurrentIndex(model()->index(row, column(Mode)));
    grid()->setFocus();
    if (!written) {
        say(QStringLiteral("The row could not be stamped."));
        return;
    }
    const QString times = QStringLiteral("%1 local time, %2 GMT")
                              .arg(LogTime::shown(cells.local), LogTime::shown(cells.gmt));
    if (!cells.frequency) {
        say(QStringLiteral("Stamped %1. The radio has not reported a frequency yet, so Frequency "
                           "and Mode were left as they were.")
                .arg(times));
        return;
    }
    say(QStringLiteral("Stamped %1, %2 kHz%3.")
            .arg(times, *cells.frequency,
                 cells.mode && !cells.mode->trimmed().isEmpty() ? QStringLiteral(" ") + *cells.mode
                                                                : QString()));
}

// --- Add, Delete, Refresh, Update -----------------------------------------------------------

void frmLogging::cmdAdd_Click()
{
    if (!ready())
        return;
    addNewRow();
    if (!onUntouchedNewRow())
        return;
    grid()->setFocus();
    say(QStringLiteral("A new row at the end: Date/Time/Freq/Mode stamps it, then type the call "
                       "sign."));
}

void frmLogging::addNewRow()
{
    // One new row at a time: Add again goes back to the one not typed in yet.
    goToNewRow(column(Local));
}

void frmLogging::cmdDelete_Click()
{
    if (ready())
        deleteRow();
}

QString frmLogging::rowName(int row) const
{
    return QStringLiteral("the contact with ")
        + LogQuestions::contactName(cell(row, CallSign), cell(row, Local));
}

void frmLogging::rowDeleted(const QString &name)
{
    say(QStringLiteral("Deleted %1.").arg(name));
}

void frmLogging::cmdRefresh_Click()
{
    if (ready() && refresh())
        clearRefusal();
}

void frmLogging::cmdUpdate_Click()
{
    if (!ready())
        return;
    grid()->commitOpenEditor();
    const int row = currentRow();
    if (row < 0)
        return; // an empty table: nothing to save
    TableModel &rows = *model();
    const QVariant key = keyOf(row);
    const bool added = key.isNull() && !rows.isUntouchedNewRow(row);
    const bool changed = rows.hasChanges(row) && !rows.isUntouchedNewRow(row);
    if (!save())
        return;
    // The row just saved stays current, wherever the order put it; a new row took the newest
    // key.
    int saved = key.isNull() ? (added ? rowOfKey(newestKey(), rows.rowCount() - 1) : -1)
                             : rowOfKey(key, row);
    if (saved < 0)
        saved = qMin(row, rows.allRowCount() - 1);
    setCurrentRow(saved);
    say(changed ? QStringLiteral("Saved.") : QStringLiteral("There was nothing to save."));
}

// --- ADIF ----------------------------------------------------------------------------------

void frmLogging::mnuExportAdif_Click()
{
    if (!ready())
        return;
    m_files.exportTable(
        this,
        {true, QStringLiteral("Export ADIF"), QStringLiteral("logbook.adi"),
         QLatin1String(FileCommand::AdifFilter)},
        [this] { return save(); },
        [this](const QString &path) {
            const ExchangeOutcome outcome
                = LogbookFile::exportTo(database(), path, QDateTime::currentDateTimeUtc());
            say(outcome.message.section(QLatin1Char('\n'), 0, 0));
            return outcome;
        });
}

void frmLogging::mnuImportAdif_Click()
{
    if (!ready() || refuseWhenReadOnly())
        return;
    m_files.importTable(
        this,
        {false, QStringLiteral("Import ADIF"), QString(), QLatin1String(FileCommand::AdifFilter)},
        [this] { return save(); },
        [this](const QString &path) {
            const ExchangeOutcome outcome
                = LogbookFile::importFrom(database(), path, m_radio.GMTOffset);
            // The new contacts are at the end, where the window shows the newest.
            if (outcome.changed && refresh())
                setCurrentRow(model()->allRowCount() - 1);
            say(outcome.message.section(QLatin1Char('\n'), 0, 0));
            return outcome;
        });
}
