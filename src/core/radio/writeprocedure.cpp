#include "radio/writeprocedure.h"

#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/codec.h"
#include "radio/link.h"
#include "radio/memoryimage.h"
#include "radio/writecheck.h"

namespace zev {

using namespace session;

namespace {

// The blocks in the order the radio is written, with what names each in a failure.
QList<BlockWrite> writeOrder(const MemoryImage& image) {
    QList<BlockWrite> blocks;
    for (const int address : writtenBlockAddresses()) {
        QString what;
        if (const int channel = MemoryImage::channelAt(address, false))
            what = channelHalf(channel, false);
        else if (const int channel = MemoryImage::channelAt(address, true))
            what = channelHalf(channel, true);
        else
            what = stepName(address == MemoryImage::BandAddress ? Named::Band : Named::Options);
        blocks.append({address, image.block(address),
                       address == MemoryImage::BandAddress ? LongWait : ShortWait, what});
    }
    return blocks;
}

// writtenAny: a write frame has gone out, so the radio may hold part of the plan.
SessionResult writeSession(RadioLink& link, const MemoryImage& image, Progress& progress,
                           bool& writtenAny) {
    link.clearReplyFlag();
    if (link.stopped())
        return stoppedResult(link);

    if (SessionResult entry = enterProgrammingMode(link, WriteHandshakeWait); !entry.succeeded())
        return entry;
    progress.step();
    if (auto end = exchange(link, ackStep(ShortWait, stepName(Named::WriteStart))))
        return *end;

    // Milestones: after each channel's second half and after the options, once their wait is
    // over; before the band goes out.
    WriteHooks hooks;
    hooks.beforeWrite = [&](const BlockWrite& block) {
        writtenAny = true;
        if (block.address == MemoryImage::BandAddress)
            progress.step();
    };
    hooks.waited = [&progress](const BlockWrite& block) {
        if (MemoryImage::channelAt(block.address, true) ||
            block.address == MemoryImage::OptionsAddress)
            progress.step();
    };
    if (auto end = writeBlocks(link, writeOrder(image), hooks))
        return *end;
    progress.step();
    link.sendKeepingThreshold(frames::end());
    link.countSuccess();
    return SessionResult::success();
}

} // namespace

QList<int> writtenBlockAddresses() {
    QList<int> addresses;
    for (int channel = 1; channel <= Plan::ChannelCount; ++channel)
        for (const bool secondHalf : {false, true})
            addresses.append(MemoryImage::channelAddress(channel, secondHalf));
    addresses << MemoryImage::OptionsAddress << MemoryImage::BandAddress;
    return addresses;
}

SessionResult writeRadio(RadioLink& link, const Plan& plan, const Wording& wording,
                         const ProgressCallback& progressCallback) {
    const Scope scope(link);
    if (!scope.began())
        return alreadyRunning();
    Progress progress(progressCallback); // the bar starts from 0, also for a refused plan
    if (const Status check = checkPlanForWrite(plan, wording); !check)
        return SessionResult::refused(check.message());
    MemoryImage image;
    codec::encodePlan(plan, wording.words, image);
    bool writtenAny = false;
    SessionResult result = writeSession(link, image, progress, writtenAny);
    result.radioWritten = writtenAny;
    if (result.outcome == SessionOutcome::Cancelled)
        result.reason = writeStoppedMessage(writtenAny);
    return result;
}

} // namespace zev
