#include "radio/hex.h"

#include <QTest>

using namespace zev;

class HexTest : public QObject {
    Q_OBJECT
private slots:
    void toBytes_data();
    void toBytes();
    void toHex_data();
    void toHex();
    void everyByteRoundTrips();
};

void HexTest::toBytes_data() {
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << "" << QByteArray();
    QTest::newRow("lone digit dropped") << "7" << QByteArray();
    QTest::newRow("odd final digit dropped") << "0A1" << QByteArray("\x0A", 1);
    QTest::newRow("either case") << "ff00aBCd" << QByteArray("\xFF\x00\xAB\xCD", 4);
    QTest::newRow("band read frame") << "5203E008" << QByteArray("\x52\x03\xE0\x08", 4);
    QTest::newRow("entry frame") << "0254414C766578" << QByteArray("\x02TALvex");
    QTest::newRow("non-hex digit counts as 0") << "G1" << QByteArray("\x01", 1);
}

void HexTest::toBytes() {
    QFETCH(QString, hex);
    QFETCH(QByteArray, bytes);
    QCOMPARE(hexToBytes(hex), bytes);
}

void HexTest::toHex_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("hex");
    QTest::newRow("none") << QByteArray() << "";
    QTest::newRow("leading zeros kept, upper case") << QByteArray("\x06\x20", 2) << "0620";
    QTest::newRow("nibble edges") << QByteArray("\x00\x0F\xF0\xFF", 4) << "000FF0FF";
    QTest::newRow("identification") << QByteArray("\x06 varkol") << "06207661726B6F6C";
}

void HexTest::toHex() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, hex);
    QCOMPARE(bytesToHex(bytes), hex);
}

void HexTest::everyByteRoundTrips() {
    QByteArray all;
    for (int value = 0; value < 256; ++value)
        all.append(static_cast<char>(value));
    const QString hex = bytesToHex(all);
    QCOMPARE(hex.size(), 512);
    QCOMPARE(hexToBytes(hex), all);
    QCOMPARE(hexToBytes(hex.toLower()), all);
}

QTEST_GUILESS_MAIN(HexTest)
#include "tst_hex.moc"
