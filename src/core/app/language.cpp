#include "app/language.h"

namespace zev {

QString packName(Language language) {
    return language == Language::English ? QStringLiteral("english") : QStringLiteral("chinese");
}

} // namespace zev
