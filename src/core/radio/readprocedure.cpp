#include "radio/readprocedure.h"

#include "plan/channelplan.h"
#include "plan/modellist.h"
#include "radio/codec.h"
#include "radio/frames.h"
#include "radio/link.h"

namespace zev {

using namespace session;

namespace {

SessionResult readSession(RadioLink& link, ChannelPlan& plan, ModelList& models,
                          const ProgressCallback& progressCallback) {
    link.clearReplyFlag();
    Progress progress(progressCallback);
    if (link.stopped())
        return stoppedResult(link);

    if (SessionResult entry = enterProgrammingMode(link, ReadHandshakeWait); !entry.succeeded())
        return entry;
    progress.step();
    link.sendAck();
    link.wait(LongWait);
    if (link.stopped())
        return stoppedResult(link);
    if (!acknowledged(link))
        return notAcknowledged(QStringLiteral("the start of the read"));
    link.clearReplyFlag();

    link.send(frames::read(MemoryImage::BandAddress), frames::ReadReplySize);
    link.wait(LongWait);
    if (link.stopped())
        return stoppedResult(link);
    if (const QString problem = blockReplyProblem(link, QStringLiteral("the band"));
        !problem.isEmpty())
        return SessionResult::failed(problem);
    link.clearReplyFlag();
    models.applyBand(codec::decodeBand(frames::replyBlock(link.received())));
    progress.step();
    link.sendAck();
    link.wait(ShortWait);

    const QChar separator = decimalSeparator();
    for (int channel = 1; channel <= ChannelPlan::ChannelCount; ++channel) {
        if (link.stopped())
            return stoppedResult(link);
        if (!acknowledged(link))
            return notAcknowledged(channel == 1 ? QStringLiteral("the band read")
                                                : channelHalf(channel - 1, true));
        link.clearReplyFlag();

        link.send(frames::read(MemoryImage::channelAddress(channel, false)), frames::ReadReplySize);
        plan.clearChannel(channel);
        link.wait(ShortWait);
        if (link.stopped())
            return stoppedResult(link);
        // Only a fresh reply of the right length is decoded: stale bytes never reach the table.
        if (const QString problem = blockReplyProblem(link, channelHalf(channel, false));
            !problem.isEmpty())
            return SessionResult::failed(problem);
        link.clearReplyFlag();
        const Block firstHalf = frames::replyBlock(link.received());
        link.sendAck();
        link.wait(ShortWait);
        if (link.stopped())
            return stoppedResult(link);
        if (!acknowledged(link))
            return notAcknowledged(channelHalf(channel, false));
        link.clearReplyFlag();

        link.send(frames::read(MemoryImage::channelAddress(channel, true)), frames::ReadReplySize);
        link.wait(ShortWait);
        if (link.stopped())
            return stoppedResult(link);
        if (const QString problem = blockReplyProblem(link, channelHalf(channel, true));
            !problem.isEmpty())
            return SessionResult::failed(problem);
        link.clearReplyFlag();
        const Block secondHalf = frames::replyBlock(link.received());
        plan.setChannel(channel,
                        codec::decodeChannel(firstHalf, secondHalf, plan.words(), separator));
        link.sendAck();
        link.wait(ShortWait);
        progress.step();
    }
    if (link.stopped())
        return stoppedResult(link);

    // Skipping the options here would report a read as done with options the radio does not
    // hold; an unacknowledged last channel fails the read as every other step does.
    if (!acknowledged(link))
        return notAcknowledged(channelHalf(ChannelPlan::ChannelCount, true));
    link.clearReplyFlag();
    link.send(frames::read(MemoryImage::OptionsAddress), frames::ReadReplySize);
    link.wait(ShortWait);
    if (link.stopped())
        return stoppedResult(link);
    if (const QString problem = blockReplyProblem(link, QStringLiteral("the options"));
        !problem.isEmpty())
        return SessionResult::failed(problem);
    link.clearReplyFlag();
    const Result<OptionIndices> options = codec::decodeOptions(frames::replyBlock(link.received()));
    if (!options)
        return SessionResult::failed(options.message());
    for (const Option option :
         {Option::Squelch, Option::TimeOutTimer, Option::VoicePrompt, Option::Scan,
          Option::BatterySave, Option::KeyBeep, Option::AlarmKey})
        plan.setOptionIndex(option, options.value()[optionSlot(option)]);
    link.sendAck();
    link.wait(ShortWait);
    if (link.stopped())
        return stoppedResult(link);
    progress.step();

    link.sendKeepingThreshold(frames::end());
    progress.step();
    link.countSuccess();
    return SessionResult::success();
}

} // namespace

SessionResult readRadio(RadioLink& link, ChannelPlan& plan, ModelList& models,
                        const ProgressCallback& progress) {
    const Scope scope(link);
    if (!scope.began())
        return SessionResult::failed(QStringLiteral("another radio session is running"));
    SessionResult result = readSession(link, plan, models, progress);
    if (result.outcome == SessionOutcome::Cancelled)
        result.reason = readStoppedMessage();
    return result;
}

} // namespace zev
