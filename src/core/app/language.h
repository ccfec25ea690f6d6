#pragma once

#include <QString>

namespace zev {

enum class Language { Chinese, English };

// The pack file name without folder and suffix: "chinese" or "english".
QString packName(Language language);

} // namespace zev
