#include "app/planlanguage.h"

namespace zev {

namespace {
// The pack's text, or what the target holds when the pack lacks the id.
QString textOr(const LanguagePack& pack, int id, const QString& current) {
    const QString text = pack.text(id);
    return text.isNull() ? current : text;
}
} // namespace

void applyPackToWording(const LanguagePack& pack, Wording& wording) {
    Words& words = wording.words;
    words.off = textOr(pack, TextId::OffWord, words.off);
    words.high = textOr(pack, TextId::HighWord, words.high);
    words.low = textOr(pack, TextId::LowWord, words.low);
    words.on = textOr(pack, TextId::OnWord, words.on);
    wording.insertToneHead(words.off);

    OptionTexts& texts = wording.optionTexts;
    for (int item = 0; item < int(texts.minutes.size()); ++item)
        texts.minutes[item] = textOr(pack, TextId::MinutesFirst + item, texts.minutes[item]);
    for (int item = 0; item < int(texts.voices.size()); ++item)
        texts.voices[item] = textOr(pack, TextId::VoiceFirst + item, texts.voices[item]);

    for (int column = 0; column < int(wording.header.size()); ++column)
        wording.header[column] = textOr(pack, TextId::HeaderFirst + column, wording.header[column]);
}

} // namespace zev
