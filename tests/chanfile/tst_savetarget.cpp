#include "chanfile/savetarget.h"

#include "files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zev;

// The file a name chosen for saving stands for, and whether saving there replaces one.
class SaveTargetTest : public QObject {
    Q_OBJECT
private slots:
    void target_data();
    void target();
};

void SaveTargetTest::target_data() {
    QTest::addColumn<QString>("chosen"); // in a folder holding keep.z81, keep, list.csv, a folder
                                         // sub and a link gone.z81 to a file that is not there
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("replaces");
    QTest::newRow("new name") << "new.z81"
                              << "z81"
                              << "new.z81" << false;
    QTest::newRow("new name without extension") << "new"
                                                << "z81"
                                                << "new.z81" << false;
    QTest::newRow("existing name") << "keep.z81"
                                   << "z81"
                                   << "keep.z81" << true;
    QTest::newRow("without extension, existing with it") << "keep"
                                                         << "z81"
                                                         << "keep.z81" << true;
    QTest::newRow("another extension is the user's") << "list.csv"
                                                     << "z81"
                                                     << "list.csv" << true;
    QTest::newRow("a dot anywhere in the name is an extension") << "keep.v2"
                                                                << "z81"
                                                                << "keep.v2" << false;
    QTest::newRow("a dot in the folder is not") << "sub.d/keep"
                                                << "csv"
                                                << "sub.d/keep.csv" << false;
    QTest::newRow("no default extension") << "keep"
                                          << ""
                                          << "keep" << true;
    QTest::newRow("a folder is not replaced") << "sub"
                                              << "z81"
                                              << "sub" << false;
    QTest::newRow("a link to nothing is replaced") << "gone"
                                                   << "z81"
                                                   << "gone.z81" << true;
}

void SaveTargetTest::target() {
    QFETCH(QString, chosen);
    QFETCH(QString, suffix);
    QFETCH(QString, path);
    QFETCH(bool, replaces);
    QTemporaryDir dir;
    for (const char* name : {"keep.z81", "keep", "list.csv"})
        QVERIFY(testsupport::writeFile(dir.filePath(QLatin1String(name)), "plan\r\n"));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub.d")));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("nothing.z81")),
                        dir.filePath(QStringLiteral("gone.z81"))));

    const SaveTarget target = saveTarget(dir.filePath(chosen), suffix);
    QCOMPARE(target.path, dir.filePath(path));
    QCOMPARE(target.replaces, replaces);
}

QTEST_GUILESS_MAIN(SaveTargetTest)
#include "tst_savetarget.moc"
