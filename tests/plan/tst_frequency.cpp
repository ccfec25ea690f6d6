#include "plan/frequency.h"
#include "plan/vocabulary.h"

#include <QLocale>
#include <QTest>

using namespace zev;

class FrequencyTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void normalises_data();
    void normalises();
    void rejectsWhatIsNoNumber_data();
    void rejectsWhatIsNoNumber();
    void refusesWhatTheRadioCannotHold_data();
    void refusesWhatTheRadioCannotHold();
    void separatorOfTheNumberFormat();
    void keyFilter_data();
    void keyFilter();
};

namespace {

// Every case runs under a dot and under a comma number format.
const struct NumberFormat {
    const char* name;
    QLocale locale;
} numberFormats[] = {{"dot", QLocale::c()}, {"comma", QLocale(QLocale::German, QLocale::Germany)}};

} // namespace

// Expected texts are written with "."; they come out with the format's separator.
void FrequencyTest::normalises_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    const struct {
        const char* name;
        const char* typed;
        const char* expected;
    } cases[] = {
        {"one decimal", "145.1", "145.10000"},
        {"one decimal, comma", "145,1", "145.10000"},
        {"whole number", "145", "145.00000"},
        {"trailing dot", "145.", "145.00000"},
        {"trailing comma", "145,", "145.00000"},
        {"lowest the radio holds", "100", "100.00000"},
        {"highest the radio holds", "550,0", "550.00000"},
        {"top of band stays", "549.999", "550.00000"},
        {"three decimals are no group", "145,125", "145.12500"},
        {"10 Hz cut", "145.00001", "145.00000"},
        {"100 Hz to 5 kHz", "145,0001", "145.00500"},
        {"to 6.25 kHz", "145.0061", "145.00625"},
        {"past 6.25 kHz", "145,0063", "145.01000"},
        {"five decimals", "145.12345", "145.12500"},
        {"double below its text", "145.0051", "145.00500"},
        {"double above its text", "430,0051", "430.00625"},
        {"on raster", "145.00625", "145.00625"},
        {"file of the dot format", "146.52000", "146.52000"},
        {"file of the comma format", "146,52000", "146.52000"},
        {"exponent", "1.4505e2", "145.05000"},
        {"exponent, comma", "1,4505E2", "145.05000"},
        {"blanks around", " 145,1 ", "145.10000"},
    };
    for (const NumberFormat& format : numberFormats) {
        const QString separator = format.locale.decimalPoint();
        for (const auto& row : cases)
            QTest::addRow("%s: %s", format.name, row.name)
                << format.locale << QString(row.typed)
                << QString(row.expected).replace(QLatin1Char('.'), separator);
    }
}

void FrequencyTest::normalises() {
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QLocale::setDefault(locale);
    const Result<QString> result = normaliseFrequency(typed, decimalSeparator());
    QVERIFY2(result.ok(), qPrintable(result.message()));
    QCOMPARE(result.value(), expected);
    QCOMPARE(result.value().size(), FrequencyTextLength);
}

void FrequencyTest::rejectsWhatIsNoNumber_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    const char* const texts[][2] = {
        {"letters", "abc"},
        {"empty", ""},
        {"only dot", "."},
        {"only comma", ","},
        {"two dots", "145.1.2"},
        {"two commas", "145,1,2"},
        {"dot and comma", "145.1,2"},
        {"comma and dot", "1.450,5"},
        {"comma group", "1,450"},
        {"dot group", "12.345"},
        {"trailing letter", "145,1x"},
        {"bare exponent", "145e"},
        {"nan", "nan"},
        {"inf", "inf"},
    };
    for (const NumberFormat& format : numberFormats)
        for (const auto& row : texts)
            QTest::addRow("%s: %s", format.name, row[0]) << format.locale << QString(row[1]);
}

void FrequencyTest::rejectsWhatIsNoNumber() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    const Result<QString> result = normaliseFrequency(text, decimalSeparator());
    QVERIFY(!result.ok());
    QCOMPARE(result.message(), QString("'%1' is not a valid floating point value").arg(text));
}

// Never moved into the range: the message names the range and the text as it was given.
void FrequencyTest::refusesWhatTheRadioCannotHold_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    const char* const texts[][2] = {
        {"below", "99"},
        {"below, decimals", "99,5"},
        {"just below", "99.99999"},
        {"zero", "0"},
        {"negative", "-145"},
        {"above", "600"},
        {"just above", "550.00001"},
        {"typed without its separator", "145125"},
        {"nine digits", "123456789"},
        {"a frequency text", "999.00000"},
        {"huge exponent", "1e999"},
        {"blanks around", " 999 "},
    };
    for (const NumberFormat& format : numberFormats)
        for (const auto& row : texts)
            QTest::addRow("%s: %s", format.name, row[0]) << format.locale << QString(row[1]);
}

void FrequencyTest::refusesWhatTheRadioCannotHold() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    const Result<QString> result = normaliseFrequency(text, decimalSeparator());
    QVERIFY2(!result.ok(), qPrintable(result.ok() ? result.value() : QString()));
    QCOMPARE(result.message(),
             QString("the frequency %1 MHz is outside 100-550 MHz").arg(text.trimmed()));
    QVERIFY(frequencyMhz(text).has_value());
}

void FrequencyTest::separatorOfTheNumberFormat() {
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(decimalSeparator(), QChar(','));
    QLocale::setDefault(QLocale(QLocale::English));
    QCOMPARE(decimalSeparator(), QChar('.'));
    QLocale::setDefault(QLocale::c());
    QCOMPARE(decimalSeparator(), QChar('.'));
}

// "inserted" is what the key puts into the editor; empty when the key is dropped.
void FrequencyTest::keyFilter_data() {
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("inserted");
    const QChar dot('.');
    const QChar comma(',');
    QTest::newRow("digit on empty") << QChar('1') << "" << dot << "1";
    QTest::newRow("digit after separator") << QChar('9') << "145." << dot << "9";
    QTest::newRow("backspace") << QChar('\b') << "145." << dot << "\b";
    QTest::newRow("separator after three") << dot << "145" << dot << ".";
    QTest::newRow("separator after four") << dot << "1451" << dot << ".";
    QTest::newRow("separator after two") << dot << "14" << dot << "";
    QTest::newRow("separator on empty") << dot << "" << dot << "";
    QTest::newRow("second separator") << dot << "145.1" << dot << "";
    QTest::newRow("comma in dot locale") << comma << "145" << dot << ".";
    QTest::newRow("dot in comma locale") << dot << "145" << comma << ",";
    QTest::newRow("comma in comma locale") << comma << "145" << comma << ",";
    QTest::newRow("comma after two") << comma << "14" << comma << "";
    QTest::newRow("second comma") << comma << "145,1" << comma << "";
    QTest::newRow("dot after a comma") << dot << "145,1" << dot << "";
    QTest::newRow("comma after a dot") << comma << "145.1" << comma << "";
    QTest::newRow("letter") << QChar('a') << "145" << dot << "";
    QTest::newRow("minus") << QChar('-') << "" << dot << "";
    QTest::newRow("blank") << QChar(' ') << "145" << dot << "";
    QTest::newRow("plus") << QChar('+') << "" << dot << "";
    QTest::newRow("exponent letter") << QChar('e') << "145" << dot << "";
    QTest::newRow("paste control") << QChar(0x16) << "" << dot << "";
    QTest::newRow("arabic digit") << QChar(0x0661) << "" << dot << "";
    QTest::newRow("arabic decimal mark") << QChar(0x066B) << "145" << comma << "";
}

void FrequencyTest::keyFilter() {
    QFETCH(QChar, typed);
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(QString, inserted);
    const std::optional<QChar> result = filterFrequencyKey(typed, text, separator);
    QCOMPARE(result ? QString(*result) : QString(), inserted);
}

QTEST_GUILESS_MAIN(FrequencyTest)
#include "tst_frequency.moc"
