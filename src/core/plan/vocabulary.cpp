#include "plan/vocabulary.h"

#include <QCoreApplication>
#include <QLocale>

namespace zev {

Words chineseWords() {
    return {QStringLiteral("禁用"), QStringLiteral("启用"), QStringLiteral("高功率"),
            QStringLiteral("低功率")};
}

Words englishWords() {
    return {QStringLiteral("OFF"), QStringLiteral("ON"), QStringLiteral("High"),
            QStringLiteral("Low")};
}

namespace {

WordMeaning meaningIn(const QString& text, const Words& words) {
    if (text == words.off)
        return WordMeaning::Off;
    if (text == words.on)
        return WordMeaning::On;
    if (text == words.high)
        return WordMeaning::High;
    if (text == words.low)
        return WordMeaning::Low;
    return WordMeaning::None;
}

} // namespace

WordMeaning recogniseWord(const QString& text, const Words& activeWords) {
    const WordMeaning meaning = meaningIn(text, activeWords);
    return meaning != WordMeaning::None ? meaning : recogniseWord(text);
}

WordMeaning recogniseWord(const QString& text) {
    for (const Words& words : {chineseWords(), englishWords()})
        if (const WordMeaning meaning = meaningIn(text, words); meaning != WordMeaning::None)
            return meaning;
    return WordMeaning::None;
}

const QStringList& ctcssTones() {
    static const QStringList tones = {
        "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
        "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
        "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
        "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
        "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};
    return tones;
}

const QStringList& dcsCodes() {
    static const QStringList codes = {
        "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
        "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
        "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
        "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
        "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
        "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
        "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
        "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};
    return codes;
}

const QStringList& builtinTones() {
    static const QStringList tones = [] {
        QStringList list = ctcssTones();
        for (const QString& code : dcsCodes())
            list << QStringLiteral("D%1N").arg(code);
        for (const QString& code : dcsCodes())
            list << QStringLiteral("D%1I").arg(code);
        return list;
    }();
    return tones;
}

OptionTexts chineseOptionTexts() {
    OptionTexts texts;
    for (int minute = 1; minute <= 7; ++minute)
        texts.minutes[minute - 1] = QStringLiteral("%1分钟").arg(minute);
    texts.voices = {QStringLiteral("中文男声"), QStringLiteral("英文男声"),
                    QStringLiteral("中文女声"), QStringLiteral("英文女声")};
    return texts;
}

QStringList optionItems(Option option, const Words& words, const OptionTexts& texts) {
    switch (option) {
    case Option::Squelch: {
        QStringList digits;
        for (int digit = 0; digit <= 9; ++digit)
            digits << QString::number(digit);
        return digits;
    }
    case Option::BatterySave:
    case Option::KeyBeep:
    case Option::AlarmKey:
        return {words.off, words.on};
    case Option::TimeOutTimer: {
        QStringList items{words.off};
        for (const QString& minutes : texts.minutes)
            items << minutes;
        return items;
    }
    case Option::VoicePrompt: {
        QStringList items;
        for (const QString& voice : texts.voices)
            items << voice;
        return items << words.off;
    }
    case Option::Scan: // scan lists "on" first
        return {words.on, words.off};
    }
    return {};
}

QChar decimalSeparator() {
    return QLocale().decimalPoint() == QStringLiteral(",") ? QLatin1Char(',') : QLatin1Char('.');
}

QString optionName(Option option) {
    switch (option) {
    case Option::Squelch:
        return QCoreApplication::translate("zev::Vocabulary", "Squelch level");
    case Option::BatterySave:
        return QCoreApplication::translate("zev::Vocabulary", "Battery save");
    case Option::TimeOutTimer:
        return QCoreApplication::translate("zev::Vocabulary", "Time-out timer");
    case Option::VoicePrompt:
        return QCoreApplication::translate("zev::Vocabulary", "Voice prompt");
    case Option::KeyBeep:
        return QCoreApplication::translate("zev::Vocabulary", "Key beep");
    case Option::AlarmKey:
        return QCoreApplication::translate("zev::Vocabulary", "Alarm key");
    case Option::Scan:
        return QCoreApplication::translate("zev::Vocabulary", "Scan");
    }
    return {};
}

QString optionNameInSentence(Option option) {
    QString name = optionName(option);
    if (!name.isEmpty())
        name[0] = name[0].toLower();
    return name;
}

} // namespace zev
