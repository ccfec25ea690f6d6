#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <array>

namespace zev {

// The four display words of one interface language.
struct Words {
    QString off;
    QString on;
    QString high;
    QString low;
    bool operator==(const Words&) const = default;
};

Words chineseWords();
Words englishWords();

// The words the program recognises in either language, by what they mean.
enum class WordMeaning { None, Off, On, High, Low };
WordMeaning recogniseWord(const QString& text);
// The same, with the words of the active language (a pack may bring its own) looked at first.
WordMeaning recogniseWord(const QString& text, const Words& activeWords);

// The 258 tones the picker always offers: 50 CTCSS tones, the 104 DCS codes normal, then inverted.
const QStringList& builtinTones();
const QStringList& ctcssTones();
const QStringList& dcsCodes();

// The seven function options, in the order of their selectors.
enum class Option { Squelch, BatterySave, TimeOutTimer, VoicePrompt, KeyBeep, AlarmKey, Scan };
constexpr int OptionCount = 7;
constexpr std::array<Option, OptionCount> allOptions = {
    Option::Squelch, Option::BatterySave, Option::TimeOutTimer, Option::VoicePrompt,
    Option::KeyBeep, Option::AlarmKey,    Option::Scan};

// The option's place in OptionIndices and in every table kept per option.
constexpr int optionSlot(Option option) {
    return static_cast<int>(option);
}

// Seven selected item indices; -1 means no selection.
using OptionIndices = std::array<int, OptionCount>;
constexpr OptionIndices startupOptionIndices = {2, 1, 4, 0, 1, 1, 1};
constexpr OptionIndices resetOptionIndices = {2, 1, 3, 0, 1, 1, 1};

// Language texts of the option items that are not one of the four words.
struct OptionTexts {
    std::array<QString, 7> minutes; // time-out timer items 1 to 7
    std::array<QString, 4> voices;  // voice prompt items 0 to 3
};
OptionTexts chineseOptionTexts();

QStringList optionItems(Option option, const Words& words, const OptionTexts& texts);

// "Squelch level": an option as messages, tables and comparisons name it, in the language of the
// messages with the options window's own words.
QString optionName(Option option);
// The same name within a sentence: "the squelch level".
QString optionNameInSentence(Option option);

// The user's decimal separator: "," when the locale uses a comma, otherwise ".".
QChar decimalSeparator();

} // namespace zev
