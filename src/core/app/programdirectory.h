#pragma once

#include <QString>

namespace zev {

// The folder of the program file with a trailing "/": settings, installer log and language packs
// live beside the program, never in the working directory.
QString programDirectory();

} // namespace zev
