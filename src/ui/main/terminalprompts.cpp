#include "ui/main/terminalprompts.h"

#include "ui/common/elidedtext.h"
#include "ui/main/outputdrain.h"

#include <QApplication>
#include <QMessageBox>

TerminalPrompts TerminalPrompts::standard()
{
    TerminalPrompts prompts;
    prompts.warning = [](QWidget *parent, const QString &text) {
        QMessageBox::warning(parent, QApplication::applicationName(), ElidedText::forBox(text));
    };
    prompts.serialError = [](QWidget *parent, const QString &text) {
        QApplication::beep();
        QMessageBox box(QMessageBox::Information,
                        QStringLiteral("Click Cancel to quit, OK to ignore."),
                        ElidedText::forBox(text), QMessageBox::Ok | QMessageBox::Cancel, parent);
        box.setObjectName(QLatin1String(SerialErrorBox));
        box.setDefaultButton(QMessageBox::Ok);
        return box.exec() == QMessageBox::Cancel ? 2 : 1;
    };
    prompts.dataCannotBeSent = [](QWidget *parent) {
        QMessageBox box(QMessageBox::Question, QApplication::applicationName(),
                        QStringLiteral("Data cannot be sent"),
                        QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, parent);
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Abort);
        switch (box.exec()) {
        case QMessageBox::Retry:
            return int(OutputDrain::Retry);
        case QMessageBox::Ignore:
            return int(OutputDrain::Ignore);
        default:
            return int(OutputDrain::Abort);
        }
    };
    return prompts;
}
