#pragma once

#include "app/language.h"
#include "status.h"

#include <QString>

namespace zev {

QString installLogFileName(); // "install.Log"

// The start-up language from the installer's log in directory (with trailing "/"): English when
// its second line is exactly "Title: ZEV4800 Programming Software", Chinese otherwise. Lines end
// with CR, LF or CR LF. Fails with "Cannot open file "<path>". <reason>" when the log cannot be
// read and with "List index out of bounds (1)" when it has fewer than two lines.
Result<Language> detectInstallLanguage(const QString& directory);

} // namespace zev
