#pragma once

#include "radio/session.h"

namespace zev {

class MemoryImage;
class RadioLink;
struct Plan;
struct Wording;

// Reads the radio into plan, worded as given: the band, the 16 channels and the options, each
// put in as soon as it is read, so a failure keeps what came before it. An option digit beyond
// its list reads as no selection. Progress: 5 after the handshake, 10 after the band, 15 to 90
// after the rows, 95 after the options, 100 after the end frame. A success adds one to the
// link's counter. The bytes of every block read so far go into bytesRead when one is given.
SessionResult readRadio(RadioLink& link, Plan& plan, const Wording& wording,
                        const ProgressCallback& progress = {}, MemoryImage* bytesRead = nullptr);

} // namespace zev
