#pragma once

#include "app/languagepack.h"
#include "plan/wording.h"

namespace zev {

// What a pack load does to the plan's wording: the four words (ids 43 to 46), the OFF word as the
// tone list head, the option item texts (ids 56 to 66) and the header row (ids 35 to 42). An id
// the pack lacks keeps what the wording holds. The caller drops the old tone list head before
// and re-words the plan after a language switch.
void applyPackToWording(const LanguagePack& pack, Wording& wording);

} // namespace zev
