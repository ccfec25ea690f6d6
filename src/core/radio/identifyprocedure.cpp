#include "radio/identifyprocedure.h"

#include "radio/codec.h"
#include "radio/link.h"
#include "radio/memoryimage.h"

namespace zev {

using namespace session;

namespace {

SessionResult identifySession(RadioLink& link, QString& band) {
    link.clearReplyFlag();
    if (link.stopped())
        return stoppedResult(link);
    // A radio in programming mode leaves it; one outside it ignores the two letters. Whatever
    // it says in the meantime belongs to no exchange.
    link.sendKeepingThreshold(frames::end());
    link.waitFull(ShortWait);
    if (link.stopped())
        return stoppedResult(link);
    link.clearReplyFlag();

    if (SessionResult entry = enterProgrammingMode(link, ReadHandshakeWait); !entry.succeeded())
        return entry;
    std::optional<SessionResult> end =
        exchange(link, ackStep(LongWait, stepName(Named::ReadStart)));
    if (!end) {
        ReadHooks hooks;
        hooks.arrived = [&band](const BlockRead&, const Block& data) {
            band = codec::decodeBand(data);
            return Status::success();
        };
        end = readBlocks(link,
                         {{MemoryImage::BandAddress, LongWait, stepName(Named::Band),
                           stepName(Named::BandRead)}},
                         hooks);
    }
    // A stopped session has had its closing frame; a broken line takes nothing more.
    if (end && end->outcome != SessionOutcome::Failed)
        return *end;
    if (!link.failed())
        link.sendKeepingThreshold(frames::end());
    return end ? *end : SessionResult::success();
}

} // namespace

RadioIdentity identifyRadio(RadioLink& link) {
    RadioIdentity identity;
    const Scope scope(link);
    if (!scope.began()) {
        identity.session = alreadyRunning();
        return identity;
    }
    identity.session = identifySession(link, identity.band);
    return identity;
}

} // namespace zev
