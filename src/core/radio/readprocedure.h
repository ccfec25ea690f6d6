#pragma once

#include "radio/session.h"

namespace zev {

class ChannelPlan;
class MemoryImage;
class BandList;
class RadioLink;

// Reads the radio into the plan: the band (selected or appended in the model list), the 16
// channels and the options, each applied as soon as it is read, so a failure keeps what came
// before it. Progress: 5 after the handshake, 10 after the band, 15 to 90 after the rows,
// 95 after the options, 100 after the end frame. A success adds one to the link's counter.
// The bytes of every block read so far go into bytesRead when one is given.
SessionResult readRadio(RadioLink& link, ChannelPlan& plan, BandList& bands,
                        const ProgressCallback& progress = {}, MemoryImage* bytesRead = nullptr);

} // namespace zev
