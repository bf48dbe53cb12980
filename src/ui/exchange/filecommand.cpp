#include "ui/exchange/filecommand.h"

#include "ui/common/elidedtext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStandardPaths>

namespace FileCommand {

namespace {

QString &lastFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString startFolder()
{
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir())
        return lastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void chooseInDialog(QWidget *window, const Request &request,
                    std::function<void(const QString &path)> chosen)
{
    auto *dialog = new QFileDialog(window, request.caption, startFolder(), request.filter);
    dialog->setObjectName(request.save ? QStringLiteral("dlgExport") : QStringLiteral("dlgImport"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    if (request.save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setDefaultSuffix(QFileInfo(request.fileName).suffix());
        dialog->selectFile(request.fileName);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
                     [chosen = std::move(chosen)](const QString &path) {
                         lastFolder() = QFileInfo(path).absolutePath();
                         chosen(path);
                     });
    dialog->open();
}

void run(QWidget *window, const Chooser &choose, const Teller &tell, const Request &request,
         std::function<ExchangeOutcome(const QString &path)> act)
{
    choose(window, request, [window, tell, act = std::move(act)](const QString &path) {
        if (path.isEmpty())
            return;
        // A logbook of ten thousand contacts takes a moment to read and check.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const ExchangeOutcome outcome = act(path);
        QGuiApplication::restoreOverrideCursor();
        tell(window, outcome.message, outcome.failed);
    });
}

void TableCommands::exportTable(QWidget *window, const Request &request,
                                std::function<bool()> saveEdit,
                                std::function<ExchangeOutcome(const QString &path)> write) const
{
    runSaved(window, request, std::move(saveEdit),
             QStringLiteral("Nothing was exported: the row being edited could not be saved."),
             std::move(write));
}

void TableCommands::importTable(QWidget *window, const Request &request,
                                std::function<bool()> saveEdit,
                                std::function<ExchangeOutcome(const QString &path)> read) const
{
    runSaved(window, request, std::move(saveEdit),
             QStringLiteral("Nothing was imported: the row being edited could not be saved."),
             std::move(read));
}

void TableCommands::runSaved(QWidget *window, const Request &request,
                             std::function<bool()> saveEdit, const QString &refusal,
                             std::function<ExchangeOutcome(const QString &path)> act) const
{
    run(window, m_choose, m_tell, request,
        [saveEdit = std::move(saveEdit), refusal, act = std::move(act)](const QString &path) {
            if (!saveEdit())
                return ExchangeOutcome {true, false, refusal};
            return act(path);
        });
}

void tellInMessageBox(QWidget *window, const QString &text, bool problem)
{
    auto *box
        = new QMessageBox(problem ? QMessageBox::Warning : QMessageBox::Information,
                          window ? window->windowTitle() : QCoreApplication::applicationName(),
                          ElidedText::forBox(text), QMessageBox::Ok, window);
    box->setObjectName(QStringLiteral("msgExchange"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

} // namespace FileCommand
