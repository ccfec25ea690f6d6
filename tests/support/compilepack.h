#pragma once

#include <QMap>
#include <QString>

namespace testsupport {

// Compiles a language pack holding only the given texts, by number, into directory + name +
// ".qm" with the build's lrelease.
bool compilePack(const QString& directory, const QString& name, const QMap<int, QString>& texts);

} // namespace testsupport
