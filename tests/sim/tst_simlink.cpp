// The link that names the simulated radio's terminal: made, replacing only a symbolic link,
// and removed only while it is still ours.
#include "sim/simlink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestSimLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void place_data();
    void place();
    void removesOnlyItsOwnLink();
};

void TestSimLink::place_data()
{
    QTest::addColumn<QString>("standing"); // what is at the path before
    QTest::addColumn<bool>("placed");

    QTest::newRow("nothing") << "nothing" << true;
    QTest::newRow("stale link to a terminal that is gone") << "dangling link" << true;
    QTest::newRow("link to something else") << "link" << true;
    QTest::newRow("a file") << "file" << false;
    QTest::newRow("a folder") << "folder" << false;
    QTest::newRow("folder missing") << "no folder" << false;
}

void TestSimLink::place()
{
    QFETCH(QString, standing);
    QFETCH(bool, placed);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("pts"));
    QVERIFY(QFile(target).open(QIODevice::WriteOnly));
    QString path = dir.filePath(QStringLiteral("radio"));
    if (standing == QLatin1String("dangling link"))
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), path));
    else if (standing == QLatin1String("link"))
        QVERIFY(QFile::link(dir.path(), path));
    else if (standing == QLatin1String("file"))
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    else if (standing == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("radio")));
    else if (standing == QLatin1String("no folder"))
        path = dir.filePath(QStringLiteral("none/radio"));

    {
        SimLink link;
        QCOMPARE(link.place(path, target), placed);
        const QFileInfo info(path);
        if (placed) {
            QVERIFY(info.isSymLink());
            QCOMPARE(info.symLinkTarget(), target);
        } else {
            QVERIFY2(link.errorString().startsWith(path + QStringLiteral(": ")),
                     qPrintable(link.errorString()));
            QVERIFY(!info.isSymLink()); // what stood there stands still
            QCOMPARE(info.exists(), standing != QLatin1String("no folder"));
        }
    }
    // Gone with the link object; nothing else left in the folder.
    QCOMPARE(QFileInfo(path).isSymLink(), false);
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(),
        placed || standing == QLatin1String("no folder") ? 1 : 2);
}

void TestSimLink::removesOnlyItsOwnLink()
{
    // A radio stopped after a new one took the path over leaves the new link alone.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("radio"));
    SimLink old;
    QVERIFY(old.place(path, QStringLiteral("/dev/pts/old")));
    SimLink current;
    QVERIFY(current.place(path, QStringLiteral("/dev/pts/new")));
    old.remove();
    QCOMPARE(QFileInfo(path).symLinkTarget(), QStringLiteral("/dev/pts/new"));
    current.remove();
    QVERIFY(!QFileInfo(path).isSymLink());
}

QTEST_GUILESS_MAIN(TestSimLink)
#include "tst_simlink.moc"
