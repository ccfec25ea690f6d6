#pragma once

#include "radio/powerlevels.h"
#include "radio/session.h"

#include <optional>

namespace zev {

class RadioLink;

struct PowerReadResult {
    SessionResult session;
    // The radio identified itself and the block was not found damaged: the write may follow.
    bool writeEnabled = false;
    std::optional<PowerLevels> levels; // set when the block was read
    // The one failure the dialog reports: an erased or damaged calibration block.
    QString blockFault;
};

struct PowerWriteResult {
    SessionResult session;
    bool frameSent = false; // the write frame went out: a new read must come before the next
};

// The power dialog's own sequences: every wait lasts its full 250 ms, the handshake compares
// whatever was received, and the ACK is sent whatever the handshake gave.
PowerReadResult readPower(RadioLink& link);
// Levels out of range are refused before anything is sent.
PowerWriteResult writePower(RadioLink& link, const PowerLevels& levels);

} // namespace zev
