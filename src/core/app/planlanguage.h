#pragma once

#include "app/languagepack.h"
#include "plan/channelplan.h"

namespace zev {

// What a pack load does to the channel plan: the four words (ids 43 to 46), the OFF word as the
// tone list head, the option lists rebuilt with their indices kept (ids 56 to 66) and the header
// row (ids 35 to 42). An id the pack lacks keeps what the plan holds. The caller drops the old
// tone list head before and re-words the table after a language switch.
void applyPackToPlan(const LanguagePack& pack, ChannelPlan& plan);

} // namespace zev
