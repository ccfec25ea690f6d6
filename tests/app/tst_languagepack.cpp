#include "app/builtintexts.h"
#include "app/languagepack.h"
#include "app/planlanguage.h"
#include "app/textids.h"
#include "compilepack.h"
#include "planmodel.h"
#include "programrun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zev;
using testsupport::compilePack;

namespace {

// A pack load as the window makes it: the model takes the wording the pack gives.
void applyPackToPlan(const LanguagePack& pack, PlanModel& plan) {
    Wording wording = plan.wording();
    applyPackToWording(pack, wording);
    plan.setWording(wording);
}

const QChar nulMarker(0x263A); // stands for a NUL in a compiled pack

} // namespace

class LanguagePackTest : public QObject {
    Q_OBJECT
private slots:
    void builtPacksHoldEveryText_data();
    void builtPacksHoldEveryText();
    void chinesePackIsTheBuiltinInterface();
    void unusablePackIsNone_data();
    void unusablePackIsNone();
    void textsAreCutAtNulAnd253Bytes_data();
    void textsAreCutAtNulAnd253Bytes();
    void repeatedLoadsKeepOneToneHeadAndOptionIndices();
    void missingIdsKeepTheirTargets();
};

void LanguagePackTest::builtPacksHoldEveryText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("words"); // OFF, High, Low, ON
    QTest::addColumn<QString>("success");
    QTest::newRow("chinese") << "chinese" << QStringList{"禁用", "高功率", "低功率", "启用"}
                             << "成功次数:";
    QTest::newRow("english") << "english" << QStringList{"OFF", "High", "Low", "ON"}
                             << "Successes: ";
}

void LanguagePackTest::builtPacksHoldEveryText() {
    QFETCH(QString, name);
    QFETCH(QStringList, words);
    QFETCH(QString, success);
    const std::optional<LanguagePack> pack = LanguagePack::load(testsupport::binaryFolder(), name);
    QVERIFY2(pack, qPrintable(testsupport::binaryFolder() + name + ".qm does not load"));
    for (int id = TextId::First; id <= TextId::Last; ++id)
        QVERIFY2(!pack->text(id).trimmed().isEmpty(), qPrintable(QString::number(id)));
    QCOMPARE(pack->text(TextId::OffWord), words.at(0));
    QCOMPARE(pack->text(TextId::HighWord), words.at(1));
    QCOMPARE(pack->text(TextId::LowWord), words.at(2));
    QCOMPARE(pack->text(TextId::OnWord), words.at(3));
    QCOMPARE(pack->text(TextId::SuccessLabel), success);
    QVERIFY(pack->text(0).isNull());
    QVERIFY(pack->text(TextId::Last + 1).isNull());
}

void LanguagePackTest::chinesePackIsTheBuiltinInterface() {
    const std::optional<LanguagePack> pack =
        LanguagePack::load(testsupport::binaryFolder(), "chinese");
    QVERIFY(pack);
    int compared = 0;
    for (int id = TextId::First; id <= TextId::Last; ++id) {
        const QString builtin = builtinText(id);
        if (builtin.isNull())
            continue;
        // The success label's built-in target is the status panel: label and a zero counter.
        const QString shown = id == TextId::SuccessLabel ? pack->text(id) + "0" : pack->text(id);
        QVERIFY2(shown == builtin, qPrintable(QString("%1: %2 / %3").arg(id).arg(shown, builtin)));
        ++compared;
    }
    QCOMPARE(compared, 62); // every number but 26-28, 35-47, 78, 80, 81 has a built-in text
    QCOMPARE(pack->text(TextId::OffWord), chineseWords().off);
}

void LanguagePackTest::unusablePackIsNone_data() {
    QTest::addColumn<QByteArray>("content"); // "<none>" for no file
    QTest::newRow("missing") << QByteArray("<none>");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text file") << QByteArray("[open]\r\ncom=1\r\n");
    QTest::newRow("random bytes") << QByteArray::fromHex("3cb864180a0000000000deadbeef0102");
}

void LanguagePackTest::unusablePackIsNone() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    if (content != "<none>") {
        QFile file(dir.filePath("english.qm"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QVERIFY(!LanguagePack::load(dir.path() + "/", "english"));
}

void LanguagePackTest::textsAreCutAtNulAnd253Bytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("short") << "Model:"
                           << "Model:";
    QTest::newRow("cut at NUL") << QString("ab") + nulMarker + "cd"
                                << "ab";
    QTest::newRow("253 ASCII bytes kept") << QString(253, 'a') << QString(253, 'a');
    QTest::newRow("ASCII cut at 253") << QString(300, 'a') << QString(253, 'a');
    QTest::newRow("two-byte characters cut whole")
        << QString(200, QChar(0x4E2D)) << QString(126, QChar(0x4E2D));
    QTest::newRow("mixed") << "a" + QString(200, QChar(0x4E2D))
                           << "a" + QString(126, QChar(0x4E2D));
}

void LanguagePackTest::textsAreCutAtNulAnd253Bytes() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(compilePack(dir.path() + "/", "long", {{TextId::ModelLabel, text}}));
    if (text.contains(nulMarker)) {
        // A .ts file cannot hold a NUL; put it into the compiled UTF-16 text instead.
        QFile qm(dir.filePath("long.qm"));
        QVERIFY(qm.open(QIODevice::ReadWrite));
        QByteArray bytes = qm.readAll();
        QCOMPARE(bytes.count(QByteArray("\x26\x3a", 2)), 1);
        bytes.replace(QByteArray("\x26\x3a", 2), QByteArray(2, '\0'));
        QVERIFY(qm.seek(0) && qm.write(bytes) == bytes.size());
    }
    const std::optional<LanguagePack> pack = LanguagePack::load(dir.path() + "/", "long");
    QVERIFY(pack);
    QCOMPARE(pack->text(TextId::ModelLabel), expected);
    QVERIFY(pack->text(TextId::StatusLine).isNull());
}

void LanguagePackTest::repeatedLoadsKeepOneToneHeadAndOptionIndices() {
    const std::optional<LanguagePack> chinese =
        LanguagePack::load(testsupport::binaryFolder(), "chinese");
    const std::optional<LanguagePack> english =
        LanguagePack::load(testsupport::binaryFolder(), "english");
    QVERIFY(chinese && english);
    PlanModel plan;
    plan.setOptionIndex(Option::BatterySave, 1);
    plan.setOptionIndex(Option::TimeOutTimer, 5);
    plan.setOptionIndex(Option::VoicePrompt, 4);
    plan.setOptionIndex(Option::Scan, 0);
    const OptionIndices indices = plan.optionIndices();

    for (const LanguagePack* pack : {&*chinese, &*english, &*english, &*chinese, &*english}) {
        plan.dropToneHead();
        applyPackToPlan(*pack, plan);
    }
    QCOMPARE(plan.toneList().size(), 259);
    QCOMPARE(plan.toneList().first(), QString("OFF"));
    QCOMPARE(plan.toneList().count("OFF") + plan.toneList().count("禁用"), 1);
    QCOMPARE(plan.toneList().at(1), QString("67.0"));
    QCOMPARE(plan.words(), englishWords());
    QCOMPARE(plan.optionIndices(), indices);
    QCOMPARE(plan.optionText(Option::BatterySave), QString("ON"));
    QCOMPARE(plan.optionText(Option::TimeOutTimer), english->text(TextId::MinutesFirst + 4));
    QCOMPARE(plan.optionText(Option::VoicePrompt), QString("OFF"));
    QCOMPARE(plan.optionText(Option::Scan), QString("ON"));
    QCOMPARE(plan.optionItems(Option::Squelch).first(), QString("0"));
    for (int column = 0; column < PlanModel::ColumnCount; ++column)
        QCOMPARE(plan.cell(column, 0), english->text(TextId::HeaderFirst + column));
    QCOMPARE(plan.cell(0, 1), QString("01")); // labels are no pack text
}

void LanguagePackTest::missingIdsKeepTheirTargets() {
    const std::optional<LanguagePack> english =
        LanguagePack::load(testsupport::binaryFolder(), "english");
    QVERIFY(english);
    PlanModel plan;
    applyPackToPlan(*english, plan);

    QTemporaryDir dir;
    QVERIFY(compilePack(dir.path() + "/", "partial",
                        {{TextId::OffWord, "Aus"},
                         {TextId::LowWord, "Niedrig"},
                         {TextId::HeaderRxFrequency, "RX-Frequenz"},
                         {TextId::MinutesFirst + 1, "2 Min."},
                         {TextId::EnglishMaleVoice, "Englisch"}}));
    const std::optional<LanguagePack> partial = LanguagePack::load(dir.path() + "/", "partial");
    QVERIFY(partial);
    plan.dropToneHead();
    applyPackToPlan(*partial, plan);

    QCOMPARE(plan.words(), (Words{"Aus", "ON", "High", "Niedrig"}));
    QCOMPARE(plan.toneList().first(), QString("Aus"));
    QCOMPARE(plan.toneList().size(), 259);
    QCOMPARE(plan.optionItems(Option::TimeOutTimer),
             (QStringList{"Aus", "1 min", "2 Min.", "3 min", "4 min", "5 min", "6 min", "7 min"}));
    QCOMPARE(plan.optionItems(Option::VoicePrompt),
             (QStringList{"Chinese male", "Englisch", "Chinese female", "English female", "Aus"}));
    QCOMPARE(plan.cell(1, 0), QString("RX-Frequenz"));
    QCOMPARE(plan.cell(2, 0), english->text(TextId::HeaderRxTone));
}

QTEST_GUILESS_MAIN(LanguagePackTest)
#include "tst_languagepack.moc"
