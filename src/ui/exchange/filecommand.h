// How a window asks the operator for the file of an import or export and tells what came of
// it. By default Qt's file dialog, opened over the window without a nested event loop, and a
// message box; tests put their own functions in place of both.
#pragma once

#include "core/exchange/exchangeoutcome.h"

#include <QString>
#include <functional>

class QWidget;

namespace FileCommand {

struct Request
{
    bool save = false; // a file to write (export), else one to read (import)
    QString caption; // the dialog's title, "Export ADIF"
    QString fileName; // suggested for a save: "logbook.adi"
    QString filter; // "ADIF files (*.adi *.adif)"
};

// Calls chosen with the path the operator chose; not at all when the dialog is cancelled.
using Chooser = std::function<void(QWidget *window, const Request &request,
                                   std::function<void(const QString &path)> chosen)>;
void chooseInDialog(QWidget *window, const Request &request,
                    std::function<void(const QString &path)> chosen);

// Tells the outcome; problem: nothing was imported or written.
using Teller = std::function<void(QWidget *window, const QString &text, bool problem)>;
void tellInMessageBox(QWidget *window, const QString &text, bool problem);

// Asks for the file and, once one is chosen, runs act on it and tells what came of it.
void run(QWidget *window, const Chooser &choose, const Teller &tell, const Request &request,
         std::function<ExchangeOutcome(const QString &path)> act);

// The file commands of a table window: the window's chooser and teller (tests put their own in
// place), and Export and Import run behind the window's save of the row being edited, so that a
// file holds the table as stored and an import never meets a half-typed row. An edit that cannot
// be saved stops the command before the file is touched.
class TableCommands
{
public:
    void setFileChooser(Chooser choose) { m_choose = std::move(choose); }
    void setOutcomeTeller(Teller tell) { m_tell = std::move(tell); }

    void exportTable(QWidget *window, const Request &request, std::function<bool()> saveEdit,
                     std::function<ExchangeOutcome(const QString &path)> write) const;
    void importTable(QWidget *window, const Request &request, std::function<bool()> saveEdit,
                     std::function<ExchangeOutcome(const QString &path)> read) const;

private:
    void runSaved(QWidget *window, const Request &request, std::function<bool()> saveEdit,
                  const QString &refusal,
                  std::function<ExchangeOutcome(const QString &path)> act) const;

    Chooser m_choose = &chooseInDialog;
    Teller m_tell = &tellInMessageBox;
};

inline constexpr const char *AdifFilter = "ADIF files (*.adi *.adif);;All files (*)";
inline constexpr const char *CsvFilter = "CSV files (*.csv);;All files (*)";

// The folder the dialogs open in: the last one chosen in this run, else the documents folder.
QString startFolder();

} // namespace FileCommand
