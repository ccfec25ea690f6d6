#include "app/mnemonic.h"

#include <QTest>

using namespace zev;

// Pack captions come with or without their keyboard mark, in Latin or Chinese script.
class MnemonicTest : public QObject {
    Q_OBJECT
private slots:
    void withMnemonic_data();
    void withMnemonic();
    void plainCaption_data();
    void plainCaption();
};

void MnemonicTest::withMnemonic_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<QString>("marked");
    QTest::newRow("marked already") << "&Edit" << QChar('P') << "&Edit";
    QTest::newRow("Chinese marked already") << "编辑(&P)" << QChar('E') << "编辑(&P)";
    QTest::newRow("first letter") << "Options" << QChar('O') << "&Options";
    QTest::newRow("letter inside, either case") << "COM Port" << QChar('p') << "COM &Port";
    QTest::newRow("Chinese") << "选项" << QChar('O') << "选项(&O)";
    QTest::newRow("Chinese with ellipsis") << "关于..." << QChar('A') << "关于(&A)...";
    QTest::newRow("Chinese with the letter in a Latin word")
        << "导出 PDF..." << QChar('D') << "导出 PDF(&D)...";
    QTest::newRow("Chinese with one-character ellipsis")
        << "导出 CSV…" << QChar('X') << "导出 CSV(&X)…";
    QTest::newRow("Latin with one-character ellipsis")
        << "Port devices…" << QChar('D') << "Port &devices…";
    QTest::newRow("Chinese label") << "型号：" << QChar('M') << "型号(&M)：";
    QTest::newRow("Latin label without the letter") << "Band:" << QChar('M') << "Band(&M):";
    QTest::newRow("digit") << "COM1" << QChar('1') << "COM&1";
    QTest::newRow("Latin without the letter") << "T25" << QChar('A') << "T25(&A)";
    QTest::newRow("an ampersand is no mark") << "R&&D" << QChar('D') << "R&&&D";
    QTest::newRow("empty stays empty") << "" << QChar('F') << "";
}

void MnemonicTest::withMnemonic() {
    QFETCH(QString, caption);
    QFETCH(QChar, letter);
    QFETCH(QString, marked);
    QCOMPARE(zev::withMnemonic(caption, letter), marked);
}

void MnemonicTest::plainCaption_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("plain");
    QTest::newRow("English") << "&About..."
                             << "About";
    QTest::newRow("Chinese") << "关于(&A)..."
                             << "关于";
    QTest::newRow("full-width brackets") << "退出（&C）"
                                         << "退出";
    QTest::newRow("no mark") << "关于..."
                             << "关于";
    QTest::newRow("ampersand") << "R&&D"
                               << "R&D";
}

void MnemonicTest::plainCaption() {
    QFETCH(QString, caption);
    QFETCH(QString, plain);
    QCOMPARE(zev::plainCaption(caption), plain);
}

QTEST_APPLESS_MAIN(MnemonicTest)
#include "tst_mnemonic.moc"
