#pragma once

#include "radio/session.h"

#include <QStringList>

namespace zev {

// What a person is told about a radio session that did not succeed, below the short failure
// message of the language pack, in the active language: why it failed and what to check. The
// window and the command line say the same.
QStringList sessionFailureAdvice(const SessionResult& result);
// The part of it that says what to check; empty where there is nothing to check.
QString whatToCheck(const SessionResult& result);

} // namespace zev
