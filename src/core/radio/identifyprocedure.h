#pragma once

#include "radio/session.h"

#include <QString>

namespace zev {

class RadioLink;

struct RadioIdentity {
    SessionResult session;
    QString band; // the band block as read, once the radio has answered the band read
};

// Asks the radio who it is without changing anything: the end frame first, for a radio that an
// earlier failure left in programming mode (it would take the entry frame for a stray byte),
// then the entry handshake, the band read and the end frame. Nothing is written. A radio that
// identified itself always gets the end frame, even when a later step fails, so the check never
// leaves it in programming mode.
RadioIdentity identifyRadio(RadioLink& link);

} // namespace zev
