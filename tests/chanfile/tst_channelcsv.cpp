#include "chanfile/channelcsv.h"

#include <QTest>

using namespace zev;

Q_DECLARE_METATYPE(zev::ChannelRow)

namespace {

const Words english = englishWords();
const Words chinese = chineseWords();

ChannelRow row(const QString& rx, const QString& rxTone, const QString& tx, const QString& txTone,
               const Words& words = english) {
    return {rx, rxTone, tx, txTone, words.high, words.on, words.off};
}

// The fields of each data row of an export, by header name.
QList<QHash<QString, QString>> exportedRows(const QByteArray& exported) {
    const QStringList lines =
        QString::fromUtf8(exported).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const QStringList header = lines.first().split(QLatin1Char(','));
    QList<QHash<QString, QString>> rows;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines.at(i).split(QLatin1Char(','));
        QHash<QString, QString> fieldsByName;
        for (qsizetype column = 0; column < header.size(); ++column)
            fieldsByName.insert(header.at(column), fields.value(column));
        rows << fieldsByName;
    }
    return rows;
}

QList<QHash<QString, QString>> exportedRows(const csv::Channels& channels) {
    return exportedRows(csv::exportChannels(channels));
}

csv::Imported imported(const QByteArray& bytes, bool renumber = false, const Words& words = english,
                       QChar separator = QLatin1Char('.')) {
    const Result<csv::Imported> result = csv::importChannels(bytes, {renumber, words, separator});
    if (!result)
        qWarning() << result.message();
    return result ? result.value() : csv::Imported{};
}

QString problems(const csv::Imported& list) {
    return csv::describe(list.problems);
}

} // namespace

class TestChannelCsv : public QObject {
    Q_OBJECT

private slots:
    void tonesMapBothWays_data();
    void tonesMapBothWays();
    void exportThenImportGivesThePlan_data();
    void exportThenImportGivesThePlan();
    void spreadsheetFileImports();
    void spreadsheetCellsImport();
    void rowsTheRadioCannotHold_data();
    void rowsTheRadioCannotHold();
    void renumberTakesTheFirstSixteenGoodRows();
    void copiedEmptyRowsKeepTheirPlace();
    void notAChannelList_data();
    void notAChannelList();
    void unclosedQuoteNamesItsRow_data();
    void unclosedQuoteNamesItsRow();
    void rowsWithoutFrequency_data();
    void rowsWithoutFrequency();
    void formulasAreWrittenAsText_data();
    void formulasAreWrittenAsText();
    void guardedCellsReadAsWritten_data();
    void guardedCellsReadAsWritten();
};

void TestChannelCsv::tonesMapBothWays_data() {
    QTest::addColumn<QString>("txTone");
    QTest::addColumn<QString>("rxTone");
    // Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode, CrossMode
    QTest::addColumn<QStringList>("columns");
    const QString off = english.off;
    QTest::newRow("none") << off << off
                          << QStringList{"", "88.5", "88.5", "023", "NN", "023", "Tone->Tone"};
    QTest::newRow("tone") << "100.0" << off
                          << QStringList{"Tone", "100.0", "88.5", "023", "NN", "023", "Tone->Tone"};
    QTest::newRow("tsql") << "67.0"
                          << "67.0"
                          << QStringList{"TSQL", "88.5", "67.0", "023", "NN", "023", "Tone->Tone"};
    QTest::newRow("dtcs normal") << "D023N"
                                 << "D023N" << QStringList{"DTCS", "88.5", "88.5",      "023",
                                                           "NN",   "023",  "Tone->Tone"};
    QTest::newRow("dtcs mixed polarity")
        << "D754I"
        << "D754N" << QStringList{"DTCS", "88.5", "88.5", "754", "RN", "023", "Tone->Tone"};
    QTest::newRow("tone->tone") << "100.0"
                                << "123.0" << QStringList{"Cross", "100.0", "123.0",     "023",
                                                          "NN",    "023",   "Tone->Tone"};
    QTest::newRow("tone->dtcs") << "100.0"
                                << "D125I" << QStringList{"Cross", "100.0", "88.5",      "023",
                                                          "NR",    "125",   "Tone->DTCS"};
    QTest::newRow("dtcs->tone") << "D125I"
                                << "123.0" << QStringList{"Cross", "88.5", "123.0",     "125",
                                                          "RN",    "023",  "DTCS->Tone"};
    QTest::newRow("->tone") << off << "123.0"
                            << QStringList{"Cross", "88.5", "123.0", "023", "NN", "023", "->Tone"};
    QTest::newRow("->dtcs") << off << "D125N"
                            << QStringList{"Cross", "88.5", "88.5", "023", "NN", "125", "->DTCS"};
    QTest::newRow("dtcs->") << "D125N" << off
                            << QStringList{"Cross", "88.5", "88.5", "125", "NN", "023", "DTCS->"};
    QTest::newRow("dtcs->dtcs") << "D125N"
                                << "D503I" << QStringList{"Cross", "88.5", "88.5",      "125",
                                                          "NR",    "503",  "DTCS->DTCS"};
}

void TestChannelCsv::tonesMapBothWays() {
    QFETCH(QString, txTone);
    QFETCH(QString, rxTone);
    QFETCH(QStringList, columns);
    csv::Channels channels;
    channels[4] = row("145.50000", rxTone, "145.50000", txTone);

    const QList<QHash<QString, QString>> rows = exportedRows(channels);
    QCOMPARE(rows.size(), 1);
    const QStringList names = {"Tone",         "rToneFreq",  "cToneFreq", "DtcsCode",
                               "DtcsPolarity", "RxDtcsCode", "CrossMode"};
    QStringList actual;
    for (const QString& name : names)
        actual << rows.first().value(name);
    QCOMPARE(actual, columns);
    QCOMPARE(rows.first().value("Location"), QStringLiteral("5"));

    const csv::Imported back = imported(csv::exportChannels(channels));
    QCOMPARE(problems(back), QString());
    QVERIFY(back.channels[4].has_value());
    QCOMPARE(back.channels[4]->at(Plan::TxTone - 1), txTone);
    QCOMPARE(back.channels[4]->at(Plan::RxTone - 1), rxTone);
}

void TestChannelCsv::exportThenImportGivesThePlan_data() {
    QTest::addColumn<QChar>("separator");
    QTest::newRow("decimal point") << QChar('.');
    QTest::newRow("decimal comma") << QChar(',');
}

void TestChannelCsv::exportThenImportGivesThePlan() {
    QFETCH(QChar, separator);
    const auto f = [&separator](QString text) { return text.replace('.', separator); };
    // A plan saved in Chinese, taken back in Chinese: words go by meaning both ways.
    csv::Channels channels;
    channels[0] = row(f("145.50000"), "88.5", f("145.50000"), "88.5", chinese);
    channels[1] = {f("438.50000"), chinese.off, f("431.10000"), "D023I",
                   chinese.low,    chinese.off, chinese.on};
    channels[2] = row(f("145.60000"), chinese.off, f("146.20000"), chinese.off, chinese);
    channels[7] = row(f("145.00625"), chinese.off, QString(), chinese.off, chinese);
    channels[15] = row(f("550.00000"), "254.1", f("100.00000"), "D754N", chinese);

    const QList<QHash<QString, QString>> rows = exportedRows(channels);
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[1].value("Frequency"), QStringLiteral("438.500000"));
    QCOMPARE(rows[1].value("Duplex"), QStringLiteral("-"));
    QCOMPARE(rows[1].value("Offset"), QStringLiteral("7.400000"));
    QCOMPARE(rows[1].value("Power"), QStringLiteral("Low"));
    QCOMPARE(rows[1].value("Skip"), QStringLiteral("S"));
    QCOMPARE(rows[1].value("BusyLock"), QStringLiteral("ON"));
    QCOMPARE(rows[2].value("Duplex"), QStringLiteral("+"));
    QCOMPARE(rows[3].value("Duplex"), QStringLiteral("off"));
    QCOMPARE(rows[3].value("TStep"), QStringLiteral("6.25"));

    const csv::Imported back = imported(csv::exportChannels(channels), false, chinese, separator);
    QCOMPARE(problems(back), QString());
    QVERIFY(back.notes.isEmpty());
    for (int channel = 0; channel < Plan::ChannelCount; ++channel) {
        if (channels[channel][0].isEmpty())
            QVERIFY2(!back.channels[channel], qPrintable(QString::number(channel + 1)));
        else
            QCOMPARE(back.channels[channel].value(), channels[channel]);
    }
}

void TestChannelCsv::spreadsheetFileImports() {
    // Semicolons, quotes, a byte-order mark, CR LF, a decimal comma, columns in another order,
    // most columns missing, and a quoted name holding the separator and a line end.
    const QByteArray bytes = "\xEF\xBB\xBF"
                             "\"Name\";\"Location\";\"Frequency\";\"Duplex\";\"Offset\";\"Tone\";"
                             "\"rToneFreq\"\r\n"
                             "\"Repeater; north\";3;\"145,600000\";\"-\";\"0,600000\";Tone;"
                             "\"88,5\"\r\n"
                             "\"Two\r\nlines\";1;146.52;;;;\r\n"
                             ";;;;;;\r\n";
    const csv::Imported list = imported(bytes);
    QCOMPARE(problems(list), QString());
    QCOMPARE(list.channels[2].value(), (ChannelRow{"145.60000", english.off, "145.00000", "88.5",
                                                   english.high, english.on, english.off}));
    QCOMPARE(list.channels[0].value(), row("146.52000", english.off, "146.52000", english.off));
    QVERIFY(!list.channels[1]);
}

void TestChannelCsv::spreadsheetCellsImport() {
    // Cells copied from a spreadsheet: tabs, LF, commas and semicolons inside unquoted fields.
    const QByteArray bytes = "Location\tName\tFrequency\tDuplex\tOffset\tPower\n"
                             "2\tNorth, hill; top\t145.600000\t-\t0.600000\tLow\n";
    const csv::Imported list = imported(bytes);
    QCOMPARE(problems(list), QString());
    QCOMPARE(list.channels[1].value(),
             (ChannelRow{"145.60000", english.off, "145.00000", english.off, english.low,
                         english.on, english.off}));
}

void TestChannelCsv::rowsTheRadioCannotHold_data() {
    QTest::addColumn<QByteArray>("badRow");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("note");
    QTest::newRow("tone not in list") << QByteArray("2,146.000000,,,Tone,123.4,,,,,,")
                                      << "row 3: the tone 123.4 (rToneFreq) "
                                         "is not in the tone list"
                                      << "";
    QTest::newRow("dcs code not in list") << QByteArray("2,146.000000,,,DTCS,,,024,NN,,")
                                          << "row 3: the DCS code 024 (DtcsCode) "
                                             "is not in the tone list"
                                          << "";
    QTest::newRow("below 100 MHz") << QByteArray("2,99.995000,,,,,,,,,")
                                   << "row 3: the frequency 99.995000 MHz is outside "
                                      "100-550 MHz"
                                   << "";
    QTest::newRow("transmit above 550 MHz")
        << QByteArray("2,549.000000,+,5.000000,,,,,,,")
        << "row 3: the frequency 554.000000 MHz is outside 100-550 MHz"
        << "";
    QTest::newRow("transmit below zero")
        << QByteArray("2,100.000000,-,200.500000,,,,,,,")
        << "row 3: the frequency -100.500000 MHz is outside 100-550 MHz"
        << "";
    QTest::newRow("location 17") << QByteArray("17,146.000000,,,,,,,,,")
                                 << "row 3: the location \"17\" is not a channel from 1 to 16"
                                 << "";
    QTest::newRow("no location") << QByteArray(",146.000000,,,,,,,,,")
                                 << "row 3: the location \"\" is not a channel from 1 to 16"
                                 << "";
    QTest::newRow("location twice")
        << QByteArray("1,146.000000,,,,,,,,,") << "row 3: channel 1 is already given in row 2"
        << "";
    QTest::newRow("unknown duplex") << QByteArray("2,146.000000,x,,,,,,,,")
                                    << "row 3: the duplex \"x\" is not empty, +, -, split or off"
                                    << "";
    QTest::newRow("unknown cross mode")
        << QByteArray("2,146.000000,,,Cross,,,,,,Tone->DCS")
        << "row 3: the cross mode \"Tone->DCS\" is not one the radio can hold"
        << "";
    QTest::newRow("bad polarity") << QByteArray("2,146.000000,,,DTCS,,,023,NX,,")
                                  << "row 3: the DCS polarity \"NX\" is not two of N and R"
                                  << "";
    QTest::newRow("not a number") << QByteArray("2,146.5.1,,,,,,,,,")
                                  << "row 3: the frequency \"146.5.1\" is not a number of MHz"
                                  << "";
    QTest::newRow("off raster is a note")
        << QByteArray("2,146.001000,,,,,,,,,") << ""
        << "row 3: 146.001000 MHz is not on a channel; taken as 146.00500 MHz";
    QTest::newRow("off-list tone is a note")
        << QByteArray("2,146.000000,,,Tone,88.55,,,,,") << ""
        << "row 3: the tone 88.55 (rToneFreq) is not in the tone list; taken as 88.5";
    QTest::newRow("off-list tones of a cross, one note each")
        << QByteArray("2,146.000000,,,Cross,67.04,254.14,,,,Tone->Tone") << ""
        << "row 3: the tone 67.04 (rToneFreq) is not in the tone list; taken as 67.0\n"
           "row 3: the tone 254.14 (cToneFreq) is not in the tone list; taken as 254.1";
    QTest::newRow("listed tone written longer: no note")
        << QByteArray("2,146.000000,,,TSQL,,88.50,,,,") << ""
        << "";
    QTest::newRow("no frequency") << QByteArray("2,,,,Tone,88.5,,,,,")
                                  << "row 3: the row has no frequency"
                                  << "";
}

void TestChannelCsv::rowsTheRadioCannotHold() {
    QFETCH(QByteArray, badRow);
    QFETCH(QString, problem);
    QFETCH(QString, note);
    const QByteArray bytes = "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                             "DtcsPolarity,RxDtcsCode,CrossMode\n"
                             "1,145.500000,,,,,,,,,\n" +
                             badRow + "\n4,147.000000,,,,,,,,,\n";
    const csv::Imported list = imported(bytes);
    QCOMPARE(problems(list), problem);
    QCOMPARE(csv::describe(list.notes), note);
    // The good rows are there whatever the bad one holds.
    QVERIFY(list.channels[0] && list.channels[3]);
    QCOMPARE(list.channels[1].has_value(), problem.isEmpty());
}

void TestChannelCsv::renumberTakesTheFirstSixteenGoodRows() {
    QByteArray bytes = "Location,Frequency,Tone,rToneFreq\n";
    for (int i = 0; i < 19; ++i)
        bytes += QByteArray::number(100 + i) + "," + QByteArray::number(146.0 + i * 0.025, 'f', 6) +
                 (i == 1 ? ",Tone,1.0\n" : ",,\n");
    const csv::Imported list = imported(bytes, true);
    QCOMPARE(problems(list), QStringLiteral("row 3: the tone 1.0 (rToneFreq) is not in the tone "
                                            "list\n"
                                            "row 19: the radio holds 16 channels; this row is one "
                                            "too many\n"
                                            "row 20: the radio holds 16 channels; this row is one "
                                            "too many"));
    QCOMPARE(list.channels[0]->at(0), QStringLiteral("146.00000"));
    QCOMPARE(list.channels[1]->at(0), QStringLiteral("146.05000"));
    QCOMPARE(list.channels[15]->at(0), QStringLiteral("146.40000"));
}

// Rows copied for a paste hold the empty channels among them; the paste's reading gives each its
// place, while an import's renumbering still counts only rows with a frequency.
void TestChannelCsv::copiedEmptyRowsKeepTheirPlace() {
    csv::Channels channels;
    channels[1] = row("145.50000", "88.5", "145.50000", "88.5", english);
    channels[2] = row("146.00000", english.off, "146.60000", english.off, english);
    channels[4] = row("147.00000", english.off, "147.00000", english.off, english);
    const QByteArray copied = csv::exportChannelRows(channels, {2, 3, 4, 5, 6});
    const QList<QHash<QString, QString>> rows = exportedRows(copied);
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[2].value("Location"), QStringLiteral("4"));
    QCOMPARE(rows[2].value("Frequency"), QString());

    const Result<csv::Imported> pasted = csv::importChannels(copied, {true, english, '.', true});
    QVERIFY(pasted);
    QCOMPARE(problems(pasted.value()), QString());
    QCOMPARE(pasted->channels[0].value(), channels[1]);
    QCOMPARE(pasted->channels[1].value(), channels[2]);
    QCOMPARE(pasted->channels[2].value(), ChannelRow{});
    QCOMPARE(pasted->channels[3].value(), channels[4]);
    QCOMPARE(pasted->channels[4].value(), ChannelRow{});
    QVERIFY(!pasted->channels[5]);

    const csv::Imported renumbered = imported(copied, true);
    QCOMPARE(renumbered.channels[2].value(), channels[4]);
    QVERIFY(!renumbered.channels[3]);
    // Export CSV lists the used channels only.
    QCOMPARE(exportedRows(csv::exportChannels(channels)).size(), 3);
}

void TestChannelCsv::notAChannelList_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no frequency column") << QByteArray("Location,Name\n1,x\n");
    QTest::newRow("not utf-8") << QByteArray("Location,Frequency\n1,\xff\xfe\n");
    QTest::newRow("a channel file") << QByteArray("136-174MHz\r\n2\r\n1\r\n");
}

void TestChannelCsv::notAChannelList() {
    QFETCH(QByteArray, bytes);
    const Result<csv::Imported> result = csv::importChannels(bytes, {false, english, '.'});
    QVERIFY(!result);
    QVERIFY(!result.message().isEmpty());
}

// Everything after a quote that never closes would be one field: the rows before it are not a
// list to take on their own.
void TestChannelCsv::unclosedQuoteNamesItsRow_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("row");
    const QByteArray header = "Location,Name,Frequency\r\n";
    QTest::newRow("fifth row") << header + "1,a,146.5\r\n2,b,146.6\r\n3,c,146.7\r\n"
                                           "4,\"d,146.8\r\n5,e,146.9\r\n"
                               << 5;
    QTest::newRow("header") << QByteArray("\"Location,Frequency\n1,146.5\n") << 1;
    QTest::newRow("after a quoted line end")
        << header + "1,\"two\nlines\",146.5\n2,x,\"146.6\n3,y,146.7\n"
        << 4;
    QTest::newRow("a quote inside a field is text") << header + "1,a\"b,146.5\n2,c,146.6\"\n3,\"d\n"
                                                    << 4;
    QTest::newRow("last character") << header + "1,a,146.5\n\"" << 3;
}

void TestChannelCsv::unclosedQuoteNamesItsRow() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, row);
    for (const bool renumber : {false, true}) {
        const Result<csv::Imported> result = csv::importChannels(bytes, {renumber, english, '.'});
        QVERIFY(!result);
        QCOMPARE(result.message(), QStringLiteral("The quote that opens in row %1 of the channel "
                                                  "list never closes; nothing was taken.")
                                       .arg(row));
    }
}

// A row is taken, listed with its reason, or blank; a row with its Location only is the empty
// channel that copied rows hold, which only renumbering leaves out.
void TestChannelCsv::rowsWithoutFrequency_data() {
    QTest::addColumn<QByteArray>("rowText");
    QTest::addColumn<bool>("renumber");
    QTest::addColumn<bool>("keepEmptyRows");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<bool>("emptyChannel"); // channel 2 given as an empty row
    QTest::newRow("a name, imported")
        << QByteArray("2,Hill,,,") << false << false << "row 3: the row has no frequency" << false;
    QTest::newRow("a tone, renumbered") << QByteArray(",,,Tone,88.5") << true << false
                                        << "row 3: the row has no frequency" << false;
    QTest::newRow("location only, imported")
        << QByteArray("2,,,,") << false << false << "" << false;
    QTest::newRow("location only, renumbered")
        << QByteArray("2,,,,") << true << false << "row 3: the row has no frequency" << false;
    QTest::newRow("location only, pasted") << QByteArray("2,,,,") << true << true << "" << true;
    QTest::newRow("a name, pasted") << QByteArray("7,Hill,,,") << true << true << "" << true;
    QTest::newRow("blank") << QByteArray(" , ,,,") << false << false << "" << false;
    QTest::newRow("blank, renumbered") << QByteArray(",,,,") << true << false << "" << false;
}

void TestChannelCsv::rowsWithoutFrequency() {
    QFETCH(QByteArray, rowText);
    QFETCH(bool, renumber);
    QFETCH(bool, keepEmptyRows);
    QFETCH(QString, problem);
    QFETCH(bool, emptyChannel);
    const QByteArray bytes =
        "Location,Name,Frequency,Tone,rToneFreq\n1,,146.500000,,\n" + rowText + "\n";
    const Result<csv::Imported> list =
        csv::importChannels(bytes, {renumber, english, '.', keepEmptyRows});
    QVERIFY(list);
    QCOMPARE(problems(list.value()), problem);
    QVERIFY(list->channels[0]);
    QCOMPARE(list->rows[0], 2);
    QCOMPARE(list->channels[1].has_value(), emptyChannel);
    if (emptyChannel) {
        QCOMPARE(list->channels[1].value(), ChannelRow{});
        QCOMPARE(list->rows[1], 3);
    }
}

// A cell that a spreadsheet would run goes out with a ' before it and, read back, is the cell
// again: here each one is refused with the text it had in the plan.
void TestChannelCsv::formulasAreWrittenAsText_data() {
    QTest::addColumn<ChannelRow>("cells");
    QTest::addColumn<QByteArray>("field");     // the cell in the exported row, as CSV
    QTest::addColumn<QString>("problem");      // reading the export back
    QTest::addColumn<QByteArray>("unchanged"); // the layout's own field in the same row

    const QStringList formulas = {"=HYPERLINK(\"http://x\",\"y\")", "=1+2", "@SUM(A1)",
                                  "-2+3+cmd|'/C calc'!A0", "+1+1"};
    const auto csvField = [](QString text) {
        if (text.contains(',') || text.contains('"'))
            text = '"' + text.replace("\"", "\"\"") + '"';
        return text.toUtf8();
    };
    const QString off = english.off;
    for (const QString& formula : formulas) {
        const QByteArray field = csvField("'" + formula);
        QTest::addRow("RX frequency %s", qPrintable(formula))
            << row(formula, off, "145.50000", off) << field
            << QStringLiteral("row 2: the frequency \"%1\" is not a number of MHz").arg(formula)
            << QByteArray(",split,");
        QTest::addRow("TX frequency %s", qPrintable(formula))
            << row("145.50000", off, formula, off) << field
            << QStringLiteral("row 2: the offset \"%1\" is not a number of MHz").arg(formula)
            << QByteArray(",split,");
        QTest::addRow("TX tone %s", qPrintable(formula))
            << row("145.50000", off, "145.50000", formula) << field
            << QStringLiteral("row 2: the tone %1 (rToneFreq) is not in the tone list").arg(formula)
            << QByteArray(",Tone,");
        QTest::addRow("RX tone %s", qPrintable(formula))
            << row("145.50000", formula, "145.50000", off) << field
            << QStringLiteral("row 2: the tone %1 (cToneFreq) is not in the tone list").arg(formula)
            << QByteArray(",->Tone,");
    }
    // A DCS cell's code is what lies between its D and its N or I, blanks and all.
    QTest::newRow("tab-led DCS code")
        << row("145.50000", "D\t12N", "145.50000", "D\t12N") << QByteArray("'\t12")
        << "row 2: the DCS code 12 (DtcsCode) is not in the tone list" << QByteArray(",DTCS,");
    QTest::newRow("CR-led DCS code")
        << row("145.50000", "D\r12I", "145.50000", off) << QByteArray("\"'\r12\"")
        << "row 2: the DCS code 12 (RxDtcsCode) is not in the tone list" << QByteArray(",->DTCS,");
    QTest::newRow("minus-led DCS code")
        << row("145.50000", off, "146.10000", "D-12N") << QByteArray("'-12")
        << "row 2: the DCS code -12 (DtcsCode) is not in the tone list" << QByteArray(",+,");
}

void TestChannelCsv::formulasAreWrittenAsText() {
    QFETCH(ChannelRow, cells);
    QFETCH(QByteArray, field);
    QFETCH(QString, problem);
    QFETCH(QByteArray, unchanged);
    csv::Channels channels;
    channels[0] = cells;
    for (const QByteArray& exported :
         {csv::exportChannels(channels), csv::exportChannelRows(channels, {1})}) {
        const QByteArray dataRow = exported.mid(exported.indexOf("\r\n") + 2);
        QVERIFY2(dataRow.contains("," + field + ","), dataRow.constData());
        QVERIFY2(dataRow.contains(unchanged), dataRow.constData());
        const Result<csv::Imported> back = csv::importChannels(exported, {false, english, '.'});
        QVERIFY(back);
        QCOMPARE(problems(back.value()), problem);
        // As a tool that does not guard its cells writes it, the row reads the same.
        QByteArray bare = exported;
        bare.replace(",'", ",").replace(",\"'", ",\"");
        QVERIFY(bare != exported);
        const Result<csv::Imported> bareBack = csv::importChannels(bare, {false, english, '.'});
        QVERIFY(bareBack);
        QCOMPARE(problems(bareBack.value()), problem);
    }
}

// The ' a guarded export puts before a sign comes off wherever it is; any other ' stays.
void TestChannelCsv::guardedCellsReadAsWritten_data() {
    QTest::addColumn<QByteArray>("rowText");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<ChannelRow>("cells");
    const QString off = english.off;
    QTest::newRow("duplex -") << QByteArray("1,145.600000,'-,0.600000,,,,") << ""
                              << row("145.60000", off, "145.00000", off);
    QTest::newRow("duplex +, quoted") << QByteArray("1,145.600000,\"'+\",0.600000,,,,") << ""
                                      << row("145.60000", off, "146.20000", off);
    QTest::newRow("cross mode ->Tone") << QByteArray("1,145.600000,,,Cross,'->Tone,100.0,") << ""
                                       << row("145.60000", "100.0", "145.60000", off);
    QTest::newRow("a ' before a word stays") << QByteArray("1,145.600000,'off,,,,,")
                                             << "row 2: the duplex \"'off\" is not empty, +, "
                                                "-, split or off"
                                             << ChannelRow{};
    QTest::newRow("two ' stay") << QByteArray("1,145.600000,''-,0.6,,,,")
                                << "row 2: the duplex \"''-\" is not empty, +, "
                                   "-, split or off"
                                << ChannelRow{};
}

void TestChannelCsv::guardedCellsReadAsWritten() {
    QFETCH(QByteArray, rowText);
    QFETCH(QString, problem);
    QFETCH(ChannelRow, cells);
    const csv::Imported list = imported(
        "Location,Frequency,Duplex,Offset,Tone,CrossMode,cToneFreq,rToneFreq\n" + rowText + "\n");
    QCOMPARE(problems(list), problem);
    QCOMPARE(list.channels[0].value_or(ChannelRow{}), cells);
}

QTEST_GUILESS_MAIN(TestChannelCsv)
#include "tst_channelcsv.moc"
