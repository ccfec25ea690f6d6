#include "app/language.h"

namespace zev {

QString packName(Language language) {
    return language == Language::English ? QStringLiteral("english") : QStringLiteral("chinese");
}

std::optional<Language> languageOfPack(const QString& name) {
    for (const Language language : {Language::Chinese, Language::English}) {
        if (name == packName(language))
            return language;
    }
    return std::nullopt;
}

} // namespace zev
