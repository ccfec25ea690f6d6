#include "radio/failureadvice.h"

#include <QCoreApplication>

namespace zev {

namespace {

QString checkFor(SessionFault fault) {
    switch (fault) {
    case SessionFault::NoAnswer:
        return QCoreApplication::translate(
            "zev::FailureAdvice",
            "The radio did not answer at all. Check that it is switched on, that the "
            "cable is pushed fully into the radio's socket, and that the port chosen "
            "is the one the cable is plugged into.");
    case SessionFault::WrongRadio:
        return QCoreApplication::translate(
            "zev::FailureAdvice",
            "A radio answered, but not as an RH-4800: it is probably another model, "
            "which this program cannot program.");
    case SessionFault::StepUnanswered:
        return QCoreApplication::translate(
            "zev::FailureAdvice",
            "The radio answered at first and then stopped answering. Check that the "
            "cable sits fully in both sockets and that the radio's battery is "
            "charged, then try again.");
    case SessionFault::LineLost:
        return QCoreApplication::translate(
            "zev::FailureAdvice",
            "The port went away during the transfer: the cable may have been pulled "
            "out of the computer. Plug it in again, check the port, then try again.");
    case SessionFault::None:
    case SessionFault::BadBlock:
    case SessionFault::Other:
        break;
    }
    return {};
}

} // namespace

QStringList sessionFailureAdvice(const SessionResult& result) {
    QStringList lines;
    if (!result.reason.isEmpty())
        lines << QCoreApplication::translate("zev::FailureAdvice", "Reason: %1").arg(result.reason);
    if (const QString check = whatToCheck(result); !check.isEmpty())
        lines << check;
    return lines;
}

QString whatToCheck(const SessionResult& result) {
    return result.outcome == SessionOutcome::Failed ? checkFor(result.fault) : QString();
}

} // namespace zev
