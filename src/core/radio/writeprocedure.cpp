#include "radio/writeprocedure.h"

#include "plan/channelplan.h"
#include "radio/codec.h"
#include "radio/frames.h"
#include "radio/link.h"
#include "radio/writecheck.h"

namespace zev {

using namespace session;

namespace {

// writtenAny: a write frame has gone out, so the radio may hold part of the plan.
SessionResult writeSession(RadioLink& link, const ChannelPlan& plan, const QString& band,
                           Progress& progress, bool& writtenAny) {
    link.clearReplyFlag();
    if (link.stopped())
        return stoppedResult(link);

    if (SessionResult entry = enterProgrammingMode(link, WriteHandshakeWait); !entry.succeeded())
        return entry;
    progress.step();
    link.sendAck();
    link.wait(ShortWait);

    for (int channel = 1; channel <= ChannelPlan::ChannelCount; ++channel) {
        if (link.stopped())
            return stoppedResult(link);
        if (!acknowledged(link))
            return notAcknowledged(channel == 1 ? QStringLiteral("the start of the write")
                                                : channelHalf(channel - 1, true));
        link.clearReplyFlag();
        const codec::ChannelBlocks blocks =
            codec::encodeChannel(plan.channel(channel), plan.words());
        link.send(frames::write(MemoryImage::channelAddress(channel, false), blocks.first),
                  frames::AckReplySize);
        writtenAny = true;
        link.wait(ShortWait);
        if (link.stopped())
            return stoppedResult(link);
        if (!acknowledged(link))
            return notAcknowledged(channelHalf(channel, false));
        link.clearReplyFlag();
        link.send(frames::write(MemoryImage::channelAddress(channel, true), blocks.second),
                  frames::AckReplySize);
        link.wait(ShortWait);
        progress.step();
    }

    if (link.stopped())
        return stoppedResult(link);
    if (!acknowledged(link))
        return notAcknowledged(channelHalf(ChannelPlan::ChannelCount, true));
    link.clearReplyFlag();
    link.send(
        frames::write(MemoryImage::OptionsAddress, codec::encodeOptions(plan.optionIndices())),
        frames::AckReplySize);
    link.wait(ShortWait);
    progress.step();

    if (link.stopped())
        return stoppedResult(link);
    if (!acknowledged(link))
        return notAcknowledged(QStringLiteral("the options"));
    link.clearReplyFlag();
    progress.step();
    link.send(frames::write(MemoryImage::BandAddress, codec::encodeBand(band)),
              frames::AckReplySize);
    link.wait(LongWait);

    if (link.stopped())
        return stoppedResult(link);
    if (!acknowledged(link))
        return notAcknowledged(QStringLiteral("the band"));
    link.clearReplyFlag();
    progress.step();
    link.sendKeepingThreshold(frames::end());
    link.countSuccess();
    return SessionResult::success();
}

} // namespace

SessionResult writeRadio(RadioLink& link, const ChannelPlan& plan, const QString& band,
                         const ProgressCallback& progressCallback) {
    const Scope scope(link);
    if (!scope.began())
        return SessionResult::failed(QStringLiteral("another radio session is running"));
    Progress progress(progressCallback); // the bar starts from 0, also for a refused plan
    if (const Status check = checkPlanForWrite(plan, band); !check)
        return SessionResult::refused(check.message());
    bool writtenAny = false;
    SessionResult result = writeSession(link, plan, band, progress, writtenAny);
    if (result.outcome == SessionOutcome::Cancelled)
        result.reason = writeStoppedMessage(writtenAny);
    return result;
}

} // namespace zev
