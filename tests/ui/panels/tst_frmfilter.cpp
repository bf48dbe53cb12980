#include <QApplication>
#include <QTest>

#include "common/commandlog.h"
#include "ui/panels/frmfilter.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <memory>

using RadioView::FilterList;

namespace {

// Passes the filter-panel part of what the reply interpreter shows on to an open panel, the
// way the main window does.
class FilterDisplay : public NullDisplay
{
public:
    frmFilter *panel = nullptr;
    void setFilterText(FilterList list, const QString &text) override
    {
        if (panel)
            panel->setListText(list, text);
    }
};

QComboBox *combo(QWidget *form, const QString &name)
{
    auto *c = form->findChild<QComboBox *>(name);
    if (!c)
        qFatal("no list %s", qPrintable(name));
    return c;
}

const QStringList ListNames {"Combo1", "Combo2", "Combo3"};

} // namespace

class TestFrmFilter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void modeChoosesList_data();
    void modeChoosesList();
    void entrySendsWidth_data();
    void entrySendsWidth();
    void keyboardChoice();
    void widthQueryBeforeLists();
    void setListText_data();
    void setListText();
    void interpreterWritesWidth();
    void closeRestoresCursorAndUnloads();
    void presentModeOnShowing_data();
    void presentModeOnShowing();
    void listOfAnotherModeSendsNothing_data();
    void listOfAnotherModeSendsNothing();
};

void TestFrmFilter::modeChoosesList_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("shown"); // empty: no list
    QTest::addColumn<QString>("label");
    auto row = [](const char *name, QString mode, QString shown, QString label) {
        QTest::newRow(name) << mode << shown << label;
    };

    row("LSB", "1", "Combo2", "SSB/AM/FM");
    row("USB", "2", "Combo2", "SSB/AM/FM");
    row("CW", "3", "Combo1", "CW");
    row("FM", "4", "Combo2", "SSB/AM/FM");
    row("AM", "5", "Combo2", "SSB/AM/FM");
    row("FSK", "6", "Combo3", "FSK");
    row("CW-R", "7", "Combo1", "CW-R");
    row("FSK-R", "9", "Combo3", "FSK-R");
    row("not reported", "", "", "Mode unknown");
    row("none 0", "0", "", "Mode unknown");
    row("none 8", "8", "", "Mode unknown");
    row("two digits", "33", "", "Mode unknown");
    row("letter", "C", "", "Mode unknown");
}

void TestFrmFilter::modeChoosesList()
{
    QFETCH(QString, mode);
    QFETCH(QString, shown);
    QFETCH(QString, label);

    Radio radio;
    CommandLog log(radio);
    radio.state().Mode = mode;
    frmFilter form(radio);
    QCOMPARE(form.windowTitle(), QStringLiteral("Filter Settings"));
    for (const QString &name : ListNames)
        QCOMPARE(!combo(&form, name)->isHidden(), name == shown);
    auto *label1 = form.findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(label1->text(), label);
    if (!shown.isEmpty())
        QCOMPARE(label1->buddy(), combo(&form, shown));
    QCOMPARE(log.commands, QStringList {"FW;"});
}

void TestFrmFilter::entrySendsWidth_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("sent");
    auto row = [](const char *mode, const char *list, const char *entry, const char *sent) {
        QTest::addRow("mode %s, %s", mode, entry) << mode << list << entry << sent;
    };

    row("3", "Combo1", "50 Hz", "FW0050;");
    row("3", "Combo1", "100 Hz", "FW0100;");
    row("3", "Combo1", "200 Hz", "FW0200;");
    row("3", "Combo1", "300 Hz", "FW0300;");
    row("3", "Combo1", "400 Hz", "FW0400;");
    row("3", "Combo1", "600 Hz", "FW0600;");
    row("3", "Combo1", "1000 Hz", "FW1000;");
    row("3", "Combo1", "2000 Hz", "FW2000;");
    row("7", "Combo1", "1000 Hz", "FW1000;");
    row("2", "Combo2", "Narrow", "FW0000;");
    row("2", "Combo2", "Wide", "FW0001;");
    row("5", "Combo2", "Wide", "FW0001;");
    row("6", "Combo3", "250 Hz", "FW0250;");
    row("6", "Combo3", "500 Hz", "FW0500;");
    row("6", "Combo3", "1000 Hz", "FW1000;");
    row("9", "Combo3", "1500 Hz", "FW1500;");
}

void TestFrmFilter::entrySendsWidth()
{
    QFETCH(QString, mode);
    QFETCH(QString, list);
    QFETCH(QString, entry);
    QFETCH(QString, sent);

    Radio radio;
    CommandLog log(radio);
    radio.state().Mode = mode;
    frmFilter form(radio);
    log.take();
    QComboBox *c = combo(&form, list);
    const int i = c->findText(entry, Qt::MatchExactly);
    QVERIFY(i >= 0);
    c->setCurrentIndex(i);
    QCOMPARE(log.take(), QStringList {}); // choosing from code sends nothing
    Q_EMIT c->activated(i);
    QCOMPARE(log.take(), QStringList {sent});
    QCOMPARE(c->currentText(), entry);
}

void TestFrmFilter::keyboardChoice()
{
    Radio radio;
    CommandLog log(radio);
    radio.state().Mode = QStringLiteral("2");
    frmFilter form(radio);
    log.take();
    QComboBox *c = combo(&form, QStringLiteral("Combo2"));
    QCOMPARE(c->currentIndex(), -1); // no width is claimed before the radio reports one
    QTest::keyClick(c, Qt::Key_Down);
    QCOMPARE(log.take(), QStringList {"FW0000;"});
    QTest::keyClick(c, Qt::Key_Down);
    QCOMPARE(log.take(), QStringList {"FW0001;"});
    QTest::keyClick(c, Qt::Key_Down); // already the last entry
    QCOMPARE(log.take(), QStringList {});
}

void TestFrmFilter::widthQueryBeforeLists()
{
    Radio radio;
    radio.state().Mode = QStringLiteral("3");
    QList<int> entriesWhenSent;
    QObject guard;
    connect(&radio, &Radio::commandWritten, &guard, [&](const QByteArray &command) {
        if (command != "FW;")
            return;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("frmFilter"))
                for (const QString &name : ListNames)
                    entriesWhenSent << combo(w, name)->count();
        }
    });
    frmFilter form(radio);
    QCOMPARE(entriesWhenSent, (QList<int> {0, 0, 0}));
    QCOMPARE(combo(&form, QStringLiteral("Combo1"))->count(), 8);
    QCOMPARE(combo(&form, QStringLiteral("Combo2"))->count(), 2);
    QCOMPARE(combo(&form, QStringLiteral("Combo3"))->count(), 4);
}

void TestFrmFilter::setListText_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    auto row = [](const char *name, FilterList list, QString text, QString shown) {
        QTest::newRow(name) << int(list) << text << shown;
    };

    row("narrow in capitals", FilterList::Combo2, "NARROW", "Narrow");
    row("wide in capitals", FilterList::Combo2, "WIDE", "Wide");
    row("cw width", FilterList::Combo1, "50 Hz", "50 Hz");
    row("fsk width", FilterList::Combo3, "1000 Hz", "1000 Hz");
    row("no such width", FilterList::Combo1, "75 Hz", "");
    row("width of another list", FilterList::Combo3, "50 Hz", "");
    row("empty", FilterList::Combo2, "", "");
}

void TestFrmFilter::setListText()
{
    QFETCH(int, list);
    QFETCH(QString, text);
    QFETCH(QString, shown);

    Radio radio;
    CommandLog log(radio);
    radio.state().Mode = QStringLiteral("3");
    frmFilter form(radio);
    log.take();
    form.setListText(FilterList(list), text);
    QCOMPARE(combo(&form, ListNames[list])->currentText(), shown);
    // A text that matches nothing leaves an earlier choice alone.
    if (shown.isEmpty()) {
        form.setListText(FilterList(list), combo(&form, ListNames[list])->itemText(0));
        form.setListText(FilterList(list), text);
        QCOMPARE(combo(&form, ListNames[list])->currentIndex(), 0);
    }
    QCOMPARE(log.take(), QStringList {});
}

void TestFrmFilter::interpreterWritesWidth()
{
    Radio radio;
    FilterDisplay display;
    radio.setDisplay(&display);
    CommandLog log(radio);
    radio.state().Mode = QStringLiteral("5");
    frmFilter form(radio);
    display.panel = &form;
    log.take();
    radio.receive("FW0001;");
    QCOMPARE(combo(&form, QStringLiteral("Combo2"))->currentText(), QStringLiteral("Wide"));
    radio.receive("FW0050;"); // not a width of this mode
    QCOMPARE(combo(&form, QStringLiteral("Combo2"))->currentText(), QStringLiteral("Wide"));
    QCOMPARE(combo(&form, QStringLiteral("Combo1"))->currentIndex(), -1);
    QCOMPARE(log.take(), QStringList {});
    radio.setDisplay(nullptr);
}

void TestFrmFilter::closeRestoresCursorAndUnloads()
{
    Radio radio;
    QWidget mainWindow;
    QPointer<frmFilter> form = new frmFilter(radio, &mainWindow);
    QVERIFY(form->isWindow());
    form->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    form->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
    QVERIFY(!QApplication::overrideCursor());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
}

// The shown list's entries as the operator sees them: its name, and its selection ("" when none).
QString shownList(frmFilter &form)
{
    for (const QString &name : ListNames) {
        if (!combo(&form, name)->isHidden())
            return name + QLatin1Char(' ') + combo(&form, name)->currentText();
    }
    return QStringLiteral("none");
}

void TestFrmFilter::presentModeOnShowing_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("reply"); // a width the radio reports before the mode changes
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("label");
    QTest::newRow("USB to FSK-R") << "2"
                                  << "FW0001;"
                                  << "9"
                                  << "Combo3 "
                                  << "FSK-R";
    QTest::newRow("CW to USB") << "3"
                               << "FW0500;"
                               << "2"
                               << "Combo2 "
                               << "SSB/AM/FM";
    QTest::newRow("CW to CW-R keeps the width") << "3"
                                                << "FW0400;"
                                                << "7"
                                                << "Combo1 400 Hz"
                                                << "CW-R";
    QTest::newRow("USB to LSB keeps the width") << "2"
                                                << "FW0000;"
                                                << "1"
                                                << "Combo2 Narrow"
                                                << "SSB/AM/FM";
    QTest::newRow("USB to no mode") << "2"
                                    << "FW0001;"
                                    << ""
                                    << "none"
                                    << "Mode unknown";
}

// The panel is created hidden by a width reply, the mode changes, and then the operator opens
// the panel.
void TestFrmFilter::presentModeOnShowing()
{
    QFETCH(QString, before);
    QFETCH(QString, reply);
    QFETCH(QString, after);
    QFETCH(QString, shown);
    QFETCH(QString, label);

    Radio radio;
    FilterDisplay display;
    radio.setDisplay(&display);
    CommandLog log(radio);
    radio.state().Mode = before;
    frmFilter form(radio);
    display.panel = &form;
    radio.receive(reply.toLatin1());
    radio.state().Mode = after;
    form.show();
    QCOMPARE(shownList(form), shown);
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(), label);
    QCOMPARE(log.take(), QStringList {"FW;"});
    radio.setDisplay(nullptr);
}

void TestFrmFilter::listOfAnotherModeSendsNothing_data()
{
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Narrow in FSK-R") << "2"
                                     << "Combo2"
                                     << "Narrow"
                                     << "9"
                                     << "Combo3 ";
    QTest::newRow("Wide in CW") << "5"
                                << "Combo2"
                                << "Wide"
                                << "3"
                                << "Combo1 ";
    QTest::newRow("1000 Hz in CW-R from FSK") << "6"
                                              << "Combo3"
                                              << "1000 Hz"
                                              << "7"
                                              << "Combo1 ";
    QTest::newRow("250 Hz, no mode") << "9"
                                     << "Combo3"
                                     << "250 Hz"
                                     << ""
                                     << "none";
}

// The radio's mode has changed without the panel being told (no report reached it): choosing
// from the list still on show sends nothing and the panel changes to the present mode.
void TestFrmFilter::listOfAnotherModeSendsNothing()
{
    QFETCH(QString, opened);
    QFETCH(QString, list);
    QFETCH(QString, entry);
    QFETCH(QString, present);
    QFETCH(QString, shown);

    Radio radio;
    CommandLog log(radio);
    radio.state().Mode = opened;
    frmFilter form(radio);
    form.show();
    log.take();
    radio.state().Mode = present;
    QComboBox *c = combo(&form, list);
    const int i = c->findText(entry);
    c->setCurrentIndex(i);
    Q_EMIT c->activated(i);
    QCOMPARE(log.take(), QStringList {});
    QCOMPARE(shownList(form), shown);
}

QTEST_MAIN(TestFrmFilter)
#include "tst_frmfilter.moc"
