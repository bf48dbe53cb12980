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
    // Asks a yes/no question and runs onYes only for Yes. By default a message box that holds
    // this window only; the rest of the program keeps running while it waits.
    using Question
        = std::function<void(QWidget *window, const QString &text, std::function<void()> onYes)>;
    void setQuestion(Question ask) { m_ask = std::move(ask); }
    // Tells the operator that something typed was refused (a message box by default).
    using Notice = std::function<void(QWidget *window, const QString &text)>;
    void setNotice(Notice notice) { m_notice = std::move(notice); }

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

private:
    void wireUp();
    void buildMenu();
    void dressColumns();
    bool ready() const;
    int column(const char *field) const;
    QString cell(int row, const char *field) const;
    bool setCell(int row, const char *field, const QString &text);
    // The row's key, null for a row not saved yet.
    QVariant keyOf(int row) const;
    // The row holding key now (the order may have changed), -1 when it is gone.
    int rowOfKey(const QVariant &key, int hint);
    bool onUntouchedNewRow() const;
    void addNewRow();
    void stamp(int row);
    void deleteRow(const QVariant &key, const QPersistentModelIndex &unsaved, int hint);
    QVariant newestKey() const;
    void say(const QString &text);
    void refuse(const QString &text);
    static void askInMessageBox(QWidget *window, const QString &text, std::function<void()> onYes);
    static void showInMessageBox(QWidget *window, const QString &text);

    const RadioState &m_radio;
    std::function<QDateTime()> m_now = [] { return QDateTime::currentDateTime(); };
    Question m_ask = &frmLogging::askInMessageBox;
    Notice m_notice = &frmLogging::showInMessageBox;
    FileCommand::TableCommands m_files;
    bool m_columnsDressed = false;
};
