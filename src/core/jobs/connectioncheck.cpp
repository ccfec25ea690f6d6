#include "jobs/connectioncheck.h"

#include "radio/failureadvice.h"
#include "radio/link.h"
#include "radio/linkserial.h"
#include "radio/serialport.h"

#include <QCoreApplication>

namespace zev {

namespace {

CheckLine passed(const QString& text) {
    return {true, text, {}};
}

CheckLine failed(const QString& text, const QString& fix = {}) {
    return {false, text, fix};
}

CheckLine existence(const PortFacts& facts) {
    if (facts.device.isEmpty())
        return failed(
            QCoreApplication::translate("zev::ConnectionCheck", "No device is set for the port"),
            QCoreApplication::translate(
                "zev::ConnectionCheck",
                "Choose the cable's device in Port devices… or with --port."));
    if (!facts.exists)
        return failed(
            QCoreApplication::translate("zev::ConnectionCheck", "There is no serial port %1")
                .arg(facts.device),
            QCoreApplication::translate(
                "zev::ConnectionCheck",
                "Plug the cable into the computer and check the port's name: Port "
                "devices… and zev4800-cli ports list the serial ports present."));
    if (facts.stableName.isEmpty())
        return passed(QCoreApplication::translate(
                          "zev::ConnectionCheck",
                          "The port %1 is there; it has no stable name in /dev/serial/by-id")
                          .arg(facts.node));
    return passed(QCoreApplication::translate("zev::ConnectionCheck",
                                              "The port %1 is there, with the stable name %2")
                      .arg(facts.node, facts.stableName));
}

CheckLine permission(const PortFacts& facts) {
    const QString& node = facts.node;
    switch (facts.access) {
    case PortAccess::Root:
        return passed(
            QCoreApplication::translate("zev::ConnectionCheck", "You may open %1: you are root")
                .arg(node));
    case PortAccess::Owner:
        return passed(
            QCoreApplication::translate("zev::ConnectionCheck", "You may open %1: it is yours")
                .arg(node));
    case PortAccess::Group:
        return passed(QCoreApplication::translate("zev::ConnectionCheck",
                                                  "You may open %1 as a member of the group %2")
                          .arg(node, facts.group));
    case PortAccess::Everyone:
        return passed(
            QCoreApplication::translate("zev::ConnectionCheck", "You may open %1: every user may")
                .arg(node));
    case PortAccess::AccessList:
        return passed(
            QCoreApplication::translate(
                "zev::ConnectionCheck",
                "You may open %1 through its access list, which gives it to the person at the "
                "computer")
                .arg(node));
    case PortAccess::Denied:
        break;
    }
    if (facts.groupJoinedLater)
        return failed(QCoreApplication::translate(
                          "zev::ConnectionCheck",
                          "You may not open %1 yet: your account is in the group %2, but this "
                          "login began before it joined")
                          .arg(node, facts.group),
                      QCoreApplication::translate("zev::ConnectionCheck", "Log out and in again."));
    return failed(
        QCoreApplication::translate(
            "zev::ConnectionCheck",
            "You may not open %1: it belongs to the group %2, which you are not in")
            .arg(node, facts.group),
        QCoreApplication::translate(
            "zev::ConnectionCheck",
            "Join the group with %1 and log in again, or install the udev rule 60-zev4800.rules, "
            "which gives the person at the computer the cable (see the README).")
            .arg(QStringLiteral("sudo usermod -aG %1 $USER").arg(facts.group)));
}

CheckLine holder(const PortFacts& facts) {
    if (facts.diagnosis.outcome == ProbeOutcome::Busy)
        return failed(portProblemText(facts.diagnosis));
    return passed(QCoreApplication::translate("zev::ConnectionCheck", "Nothing else holds %1")
                      .arg(facts.node));
}

CheckLine modemManager(const PortFacts& facts) {
    if (!facts.modemManagerRuns)
        return passed(
            QCoreApplication::translate("zev::ConnectionCheck", "ModemManager is not running"));
    if (!facts.usbAdapter)
        return passed(QCoreApplication::translate(
                          "zev::ConnectionCheck",
                          "ModemManager runs; it leaves %1 alone, which is no USB adapter")
                          .arg(facts.node));
    if (facts.modemManagerIgnoresPort)
        return passed(QCoreApplication::translate(
                          "zev::ConnectionCheck",
                          "ModemManager runs and is told to leave %1 alone (ID_MM_DEVICE_IGNORE)")
                          .arg(facts.node));
    return failed(QCoreApplication::translate(
                      "zev::ConnectionCheck",
                      "ModemManager runs and may hold %1 for a few seconds after the cable is "
                      "plugged in, sending modem commands down it")
                      .arg(facts.node),
                  QCoreApplication::translate(
                      "zev::ConnectionCheck",
                      "Install the udev rule 60-zev4800.rules and plug the cable in again (see "
                      "the README), or stop ModemManager with %1.")
                      .arg(QStringLiteral("sudo systemctl stop ModemManager")));
}

CheckLine brltty(const PortFacts& facts) {
    const bool present = facts.brlttyRuns || facts.diagnosis.brlttyFound;
    if (!facts.exists && facts.diagnosis.usbLike && present)
        return failed(
            QCoreApplication::translate(
                "zev::ConnectionCheck",
                "brltty, the braille display service, is installed: it claims some USB "
                "serial adapters and may have taken the cable's"),
            QCoreApplication::translate(
                "zev::ConnectionCheck",
                "Remove it with %1 (or disable it with %2), then plug the cable in again.")
                .arg(QStringLiteral("sudo apt remove brltty"),
                     QStringLiteral("sudo systemctl mask brltty-udev.service")));
    if (!facts.brlttyRuns)
        return passed(QCoreApplication::translate(
            "zev::ConnectionCheck", "brltty, the braille display service, is not running"));
    return passed(QCoreApplication::translate("zev::ConnectionCheck",
                                              "brltty runs, but has left the cable alone"));
}

} // namespace

QList<CheckLine> judgePort(const PortFacts& facts) {
    QList<CheckLine> lines = {existence(facts)};
    if (facts.exists) {
        lines << permission(facts);
        if (facts.access != PortAccess::Denied)
            lines << holder(facts);
        lines << modemManager(facts);
    }
    lines << brltty(facts);
    return lines;
}

CheckLine judgeLowLatency(const PortFacts& facts, const QString& refusal) {
    if (facts.pseudoTerminal)
        return passed(QCoreApplication::translate(
                          "zev::ConnectionCheck",
                          "Low-latency mode is not needed: %1 is a pseudo-terminal, which has no "
                          "latency timer")
                          .arg(facts.node));
    if (refusal.isEmpty())
        return passed(QCoreApplication::translate("zev::ConnectionCheck",
                                                  "The driver of %1 accepted low-latency mode")
                          .arg(facts.node));
    return failed(QCoreApplication::translate("zev::ConnectionCheck",
                                              "The driver of %1 refused low-latency mode (%2)")
                      .arg(facts.node, refusal),
                  QCoreApplication::translate(
                      "zev::ConnectionCheck",
                      "Transfers work all the same, each reply waiting out the adapter's latency "
                      "timer (16 ms on FTDI chips)."));
}

CheckLine judgeAnswer(const QString& node, const RadioIdentity& identity) {
    const SessionResult& session = identity.session;
    switch (session.outcome) {
    case SessionOutcome::Success:
        return passed(QCoreApplication::translate("zev::ConnectionCheck",
                                                  "An RH-4800 answered on %1 (band %2)")
                          .arg(node, identity.band));
    case SessionOutcome::Cancelled:
        return failed(QCoreApplication::translate(
            "zev::ConnectionCheck", "The check was stopped before the radio answered"));
    case SessionOutcome::Failed:
    case SessionOutcome::Refused:
        break;
    }
    if (session.fault == SessionFault::NoAnswer)
        return failed(QCoreApplication::translate(
            "zev::ConnectionCheck",
            "No answer: switch the radio on, push the plug fully into the radio's "
            "socket, and check the volume knob is past its click"));
    return failed(QCoreApplication::translate("zev::ConnectionCheck",
                                              "The exchange with the radio on %1 failed: %2")
                      .arg(node, session.reason),
                  whatToCheck(session));
}

void CheckStop::stop() {
    m_stopped = true;
    if (m_link)
        m_link->cancel();
}

ConnectionCheck checkConnection(const QString& device, CheckStop* stop) {
    ConnectionCheck check;
    const PortFacts facts = gatherPortFacts(device);
    check.lines = judgePort(facts);
    // A port that is not there, not open to this user or held by another program has nothing
    // to say yet.
    if (!facts.exists || facts.access == PortAccess::Denied ||
        facts.diagnosis.outcome == ProbeOutcome::Busy)
        return check;

    SerialPort port;
    port.setPort(1, facts.node);
    if (const Status opened = port.open(); !opened) {
        check.lines << failed(opened.message());
        return check;
    }
    check.lines << judgeLowLatency(facts, port.lowLatencyProblem());
    RadioIdentity identity;
    if (stop && stop->stopped()) {
        identity.session = SessionResult::cancelled();
    } else {
        SerialLink link(port);
        if (stop)
            stop->watch(&link);
        identity = identifyRadio(link);
        if (stop)
            stop->watch(nullptr);
    }
    port.close();
    check.lines << judgeAnswer(facts.node, identity);
    check.radioAnswered = identity.session.succeeded();
    return check;
}

QStringList connectionCheckText(const ConnectionCheck& check) {
    QStringList text;
    for (const CheckLine& line : check.lines) {
        QString shown = (line.passed ? QStringLiteral("✔ ") : QStringLiteral("✘ ")) + line.text;
        if (!line.fix.isEmpty())
            shown += QStringLiteral(" → ") + line.fix;
        text << shown;
    }
    return text;
}

} // namespace zev
