#include "radio/readprocedure.h"

#include "plan/plan.h"
#include "plan/wording.h"
#include "radio/codec.h"
#include "radio/link.h"
#include "radio/memoryimage.h"

namespace zev {

using namespace session;

namespace {

// The blocks in the order the radio is read: the band, the channel halves, the options.
QList<BlockRead> readOrder() {
    QList<BlockRead> blocks = {
        {MemoryImage::BandAddress, LongWait, stepName(Named::Band), stepName(Named::BandRead)}};
    for (int channel = 1; channel <= Plan::ChannelCount; ++channel)
        for (const bool secondHalf : {false, true})
            blocks.append({MemoryImage::channelAddress(channel, secondHalf), ShortWait,
                           channelHalf(channel, secondHalf), channelHalf(channel, secondHalf)});
    blocks.append({MemoryImage::OptionsAddress, ShortWait, stepName(Named::Options),
                   stepName(Named::Options)});
    return blocks;
}

SessionResult readSession(RadioLink& link, Plan& plan, const Wording& wording,
                          const ProgressCallback& progressCallback, MemoryImage& image) {
    link.clearReplyFlag();
    Progress progress(progressCallback);
    if (link.stopped())
        return stoppedResult(link);

    if (SessionResult entry = enterProgrammingMode(link, ReadHandshakeWait); !entry.succeeded())
        return entry;
    progress.step();
    if (auto end = exchange(link, ackStep(LongWait, stepName(Named::ReadStart))))
        return *end;

    // Each block is applied as soon as it is in, so a failure keeps what came before it: a row
    // is cleared before its first half is read and set once its second half is in.
    const QChar separator = decimalSeparator();
    ReadHooks hooks;
    hooks.beforeRead = [&plan](const BlockRead& block) {
        if (const int channel = MemoryImage::channelAt(block.address, false))
            plan.channels[size_t(channel - 1)] = ChannelRow{};
    };
    hooks.arrived = [&](const BlockRead& block, const Block& data) -> Status {
        image.setBlock(block.address, data);
        if (block.address == MemoryImage::BandAddress) {
            plan.band = codec::decodeBand(data);
            progress.step();
        } else if (block.address == MemoryImage::OptionsAddress) {
            const Result<OptionIndices> options = codec::decodeOptions(data);
            if (!options)
                return Status::failure(options.message());
            for (const Option option : allOptions)
                plan.options[optionSlot(option)] =
                    wording.listedIndex(option, options.value()[optionSlot(option)]);
        } else if (const int channel = MemoryImage::channelAt(block.address, true)) {
            plan.channels[size_t(channel - 1)] =
                codec::decodeChannel(image, channel, wording.words, separator);
        }
        return Status::success();
    };
    hooks.ackWaited = [&progress](const BlockRead& block) {
        if (MemoryImage::channelAt(block.address, true))
            progress.step();
    };
    // An unacknowledged last channel fails the read as every other step does: skipping the
    // options would report a read as done with options the radio does not hold.
    if (auto end = readBlocks(link, readOrder(), hooks))
        return *end;
    progress.step();

    link.sendKeepingThreshold(frames::end());
    progress.step();
    link.countSuccess();
    return SessionResult::success();
}

} // namespace

SessionResult readRadio(RadioLink& link, Plan& plan, const Wording& wording,
                        const ProgressCallback& progress, MemoryImage* bytesRead) {
    const Scope scope(link);
    if (!scope.began())
        return alreadyRunning();
    MemoryImage image;
    SessionResult result = readSession(link, plan, wording, progress, image);
    if (bytesRead)
        *bytesRead = image;
    if (result.outcome == SessionOutcome::Cancelled)
        result.reason = readStoppedMessage();
    return result;
}

} // namespace zev
