#include "app/planlanguage.h"

namespace zev {

namespace {
// The pack's text, or what the target holds when the pack lacks the id.
QString textOr(const LanguagePack& pack, int id, const QString& current) {
    const QString text = pack.text(id);
    return text.isNull() ? current : text;
}
} // namespace

void applyPackToPlan(const LanguagePack& pack, ChannelPlan& plan) {
    Words words = plan.words();
    words.off = textOr(pack, TextId::OffWord, words.off);
    words.high = textOr(pack, TextId::HighWord, words.high);
    words.low = textOr(pack, TextId::LowWord, words.low);
    words.on = textOr(pack, TextId::OnWord, words.on);
    plan.setWords(words);
    plan.insertToneHead(words.off);

    // The current item texts stand in the lists: minutes are items 1 to 7 of the time-out timer,
    // voices items 0 to 3 of the voice prompt.
    const QStringList minutes = plan.optionItems(Option::TimeOutTimer);
    const QStringList voices = plan.optionItems(Option::VoicePrompt);
    OptionTexts texts;
    for (int item = 0; item < int(texts.minutes.size()); ++item)
        texts.minutes[item] = textOr(pack, TextId::MinutesFirst + item, minutes.value(item + 1));
    for (int item = 0; item < int(texts.voices.size()); ++item)
        texts.voices[item] = textOr(pack, TextId::VoiceFirst + item, voices.value(item));
    plan.rebuildOptionLists(texts);

    std::array<QString, ChannelPlan::ColumnCount> header;
    for (int column = 0; column < ChannelPlan::ColumnCount; ++column)
        header[column] = textOr(pack, TextId::HeaderFirst + column, plan.cell(column, 0));
    plan.setHeader(header);
}

} // namespace zev
