#pragma once

#include "radio/identifyprocedure.h"
#include "radio/portaccess.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zev {

class RadioLink;

// One thing that stands between the user and the radio, as found.
struct CheckLine {
    bool passed = false;
    QString text; // what was found, in the active language
    QString fix;  // what to do about it; empty where nothing is to be done
};

struct ConnectionCheck {
    QList<CheckLine> lines;
    bool radioAnswered = false; // an RH-4800 identified itself and gave its band
};

// Stops a running check from outside it (Ctrl-C, a closed dialog): a radio already asked gets
// the end frame.
class CheckStop {
public:
    void stop();
    bool stopped() const { return m_stopped; }
    void watch(RadioLink* link) { m_link = link; }

private:
    RadioLink* m_link = nullptr;
    bool m_stopped = false;
};

// Goes through what stands between the user and the radio on device, in order: the port is
// there (and by which stable name), this user may open it, nothing else holds it, ModemManager
// and brltty are not in the way, the driver takes low-latency mode, and an RH-4800 answers the
// identification exchange (identifyRadio: nothing is written). A check that the earlier ones
// make pointless (a port that is not there cannot be opened) is left out.
ConnectionCheck checkConnection(const QString& device, CheckStop* stop = nullptr);

// The lines about the port and the programs around it, judged from the facts alone.
QList<CheckLine> judgePort(const PortFacts& facts);
// The line about the driver's low-latency mode; refusal: why the driver refused it, or empty.
CheckLine judgeLowLatency(const PortFacts& facts, const QString& refusal);
// The line about the radio's answer on node.
CheckLine judgeAnswer(const QString& node, const RadioIdentity& identity);

// The check as text: "✔ " or "✘ " and what was found, each fix indented on a line below.
QStringList connectionCheckText(const ConnectionCheck& check);

} // namespace zev
