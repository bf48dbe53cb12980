// The logbook window "Logging Details": contacts with their local and GMT times, frequency,
// mode, call sign and description, edited in the grid. Date/Time/Freq/Mode stamps the current
// row with the present times and the radio's frequency and mode; Add gives a new row at the
// end, ready for typing; Delete asks first.
//
// The "&Logbook" menu exports the logbook as an ADIF file and imports one (LogbookFile).
//
// Times are stored as ISO 8601 text, so that a click on the Local or GMT header sorts them in
// time order, and shown and typed as the clock shows them ("06 Dec 2026 9:05:07").
#pragma once

#include "ui/exchange/filecommand.h"
#include "ui/tablewindow/tablewindow.h"

#include <QDateTime>
#include <functional>

class QAction;
class QLabel;
class QMenuBar;
struct RadioState;

class frmLogging : public TableWindow
{
    Q_OBJECT
public:
    // radio: the radio state the stamp reads (Freq, Mode, GMTOffset); it outlives the window.
    explicit frmLogging(const RadioState &radio, QWidget *parent = nullptr,
                        const QString &folder = QString());

    void cmdDateTime_Click();
    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdRefresh_Click();
    void cmdUpdate_Click();
    void mnuExportAdif_Click();
    void mnuImportAdif_Click();

    // Where the stamp reads the present local time (the computer's clock unless replaced).
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

    // Where the ADIF commands ask for their file and tell what they did (Qt's file dialog and a
    // message box by default).
    void setFileChooser(FileCommand::Chooser choose) { m_files.setFileChooser(std::move(choose)); }
    void setOutcomeTeller(FileCommand::Teller tell) { m_files.setOutcomeTeller(std::move(tell)); }

    // The line under the buttons that says what the last press did.
    QString statusText() const;

    QPushButton *cmdDateTime = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdRefresh = nullptr;
    QPushButton *cmdUpdate = nullptr;
    QPushButton *cmdClose = nullptr;
    QLabel *lblStatus = nullptr;
    QMenuBar *menuBar = nullptr;
    QAction *mnuExportAdif = nullptr; // "&Logbook" > "E&xport ADIF..."
    QAction *mnuImportAdif = nullptr; // "&Logbook" > "&Import ADIF..."

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // "&Edit" > "&New Row" is Add; "&Delete Row" (Delete) asks naming the contact.
    void newRow() override { cmdAdd_Click(); }
    QString rowName(int row) const override;
    void rowDeleted(const QString &name) override;
    // A refusal also stays in the status line until the next press that succeeds.
    void showRefusal(const QString &text) override;

private:
    void wireUp();
    void buildMenu();
    void dressColumns();
    bool ready() const;
    int column(const char *field) const;
    QString cell(int row, const char *field) const;
    bool setCell(int row, const char *field, const QString &text);
    bool onUntouchedNewRow() const;
    void addNewRow();
    void stamp(int row);
    QVariant newestKey() const;
    void say(const QString &text);
    // Takes a refusal off the status line once something has succeeded.
    void clearRefusal();

    const RadioState &m_radio;
    std::function<QDateTime()> m_now = [] { return QDateTime::currentDateTime(); };
    FileCommand::TableCommands m_files;
    bool m_columnsDressed = false;
    bool m_refusalShown = false; // the status line holds a refusal
};
