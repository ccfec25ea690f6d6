#include "plan/frequency.h"
#include "plan/vocabulary.h"

#include <QLocale>
#include <QTest>

using namespace zev;

class FrequencyTest : public QObject {
    Q_OBJECT
private slots:
    void normalises_data();
    void normalises();
    void rejectsWhatIsNoNumber_data();
    void rejectsWhatIsNoNumber();
    void followsTheLocaleSeparator();
    void keyFilter_data();
    void keyFilter();
};

void FrequencyTest::normalises_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");
    const QChar dot('.');
    const QChar comma(',');
    QTest::newRow("one decimal") << "145.1" << dot << "145.10000";
    QTest::newRow("whole number") << "145" << dot << "145.00000";
    QTest::newRow("trailing separator") << "145." << dot << "145.00000";
    QTest::newRow("below band") << "99" << dot << "100.00000";
    QTest::newRow("zero") << "0" << dot << "100.00000";
    QTest::newRow("negative") << "-145" << dot << "100.00000";
    QTest::newRow("above band") << "600" << dot << "550.00000";
    QTest::newRow("no separator typed") << "145125" << dot << "550.00000";
    QTest::newRow("top of band stays") << "549.999" << dot << "550.00000";
    QTest::newRow("10 Hz cut") << "145.00001" << dot << "145.00000";
    QTest::newRow("100 Hz to 5 kHz") << "145.0001" << dot << "145.00500";
    QTest::newRow("to 6.25 kHz") << "145.0061" << dot << "145.00625";
    QTest::newRow("past 6.25 kHz") << "145.0063" << dot << "145.01000";
    QTest::newRow("five decimals") << "145.12345" << dot << "145.12500";
    QTest::newRow("double below its text") << "145.0051" << dot << "145.00500";
    QTest::newRow("double above its text") << "430.0051" << dot << "430.00625";
    QTest::newRow("on raster") << "145.00625" << dot << "145.00625";
    QTest::newRow("exponent") << "1.4505e2" << dot << "145.05000";
    QTest::newRow("huge exponent") << "1e999" << dot << "550.00000";
    QTest::newRow("blanks around") << " 145.1 " << dot << "145.10000";
    QTest::newRow("comma") << "145,1" << comma << "145,10000";
    QTest::newRow("comma whole") << "430" << comma << "430,00000";
    QTest::newRow("comma raster") << "430,0051" << comma << "430,00625";
}

void FrequencyTest::normalises() {
    QFETCH(QString, typed);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    const Result<QString> result = normaliseFrequency(typed, separator);
    QVERIFY2(result.ok(), qPrintable(result.message()));
    QCOMPARE(result.value(), expected);
    QCOMPARE(result.value().size(), FrequencyTextLength);
}

void FrequencyTest::rejectsWhatIsNoNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::newRow("letters") << "abc" << QChar('.');
    QTest::newRow("empty") << "" << QChar('.');
    QTest::newRow("only separator") << "." << QChar('.');
    QTest::newRow("dot in comma locale") << "145.1" << QChar(',');
    QTest::newRow("two separators") << "145.1.2" << QChar('.');
    QTest::newRow("group separator") << "1,450" << QChar('.');
    QTest::newRow("trailing letter") << "145.1x" << QChar('.');
    QTest::newRow("bare exponent") << "145e" << QChar('.');
    QTest::newRow("nan") << "nan" << QChar('.');
    QTest::newRow("inf") << "inf" << QChar('.');
}

void FrequencyTest::rejectsWhatIsNoNumber() {
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    const Result<QString> result = normaliseFrequency(text, separator);
    QVERIFY(!result.ok());
    QCOMPARE(result.message(), QString("'%1' is not a valid floating point value").arg(text));
}

void FrequencyTest::followsTheLocaleSeparator() {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    const QChar german = decimalSeparator();
    QLocale::setDefault(QLocale(QLocale::English));
    const QChar english = decimalSeparator();
    QLocale::setDefault(saved);
    QCOMPARE(german, QChar(','));
    QCOMPARE(english, QChar('.'));
    const Result<QString> result = normaliseFrequency("145,1", german);
    QVERIFY(result.ok());
    QCOMPARE(result.value(), QString("145,10000"));
    QVERIFY(!frequencyKeyAccepted('.', "145", german));
    QVERIFY(frequencyKeyAccepted(',', "145", german));
}

void FrequencyTest::keyFilter_data() {
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("accepted");
    const QChar dot('.');
    const QChar comma(',');
    QTest::newRow("digit on empty") << QChar('1') << "" << dot << true;
    QTest::newRow("digit after separator") << QChar('9') << "145." << dot << true;
    QTest::newRow("backspace") << QChar('\b') << "145." << dot << true;
    QTest::newRow("separator after three") << dot << "145" << dot << true;
    QTest::newRow("separator after four") << dot << "1451" << dot << true;
    QTest::newRow("separator after two") << dot << "14" << dot << false;
    QTest::newRow("separator on empty") << dot << "" << dot << false;
    QTest::newRow("second separator") << dot << "145.1" << dot << false;
    QTest::newRow("comma in dot locale") << comma << "145" << dot << false;
    QTest::newRow("dot in comma locale") << dot << "145" << comma << false;
    QTest::newRow("comma in comma locale") << comma << "145" << comma << true;
    QTest::newRow("second comma") << comma << "145,1" << comma << false;
    QTest::newRow("letter") << QChar('a') << "145" << dot << false;
    QTest::newRow("minus") << QChar('-') << "" << dot << false;
    QTest::newRow("blank") << QChar(' ') << "145" << dot << false;
    QTest::newRow("plus") << QChar('+') << "" << dot << false;
    QTest::newRow("exponent letter") << QChar('e') << "145" << dot << false;
    QTest::newRow("paste control") << QChar(0x16) << "" << dot << false;
    QTest::newRow("arabic digit") << QChar(0x0661) << "" << dot << false;
}

void FrequencyTest::keyFilter() {
    QFETCH(QChar, typed);
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(bool, accepted);
    QCOMPARE(frequencyKeyAccepted(typed, text, separator), accepted);
}

QTEST_GUILESS_MAIN(FrequencyTest)
#include "tst_frequency.moc"
