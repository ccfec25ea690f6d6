#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace zev {
struct Plan;
struct Wording;
struct PlanDifference;
struct WriteRecord;
struct FleetRadio;
} // namespace zev

// What --json prints: one document on stdout whose keys the man page lists. Keys are fixed
// English names whatever the language; texts the user reads (option items, reasons) are in the
// language chosen, frequencies are numbers of hertz, absent values null.
namespace zev::cli::json {

// band, bandLowHz, bandHighHz, options (key, name, index, text), channels (channel, used,
// rxFrequencyHz, rxTone, txFrequencyHz, txTone, power, scanAdd, busyLock, cells).
QJsonObject plan(const Plan& plan, const Wording& wording);
// kind (cell, option, band), channel, column, option, name, before, after, beforeHz, afterHz.
QJsonArray differences(const QList<PlanDifference>& differences);
// time, port, device, plan, sha256, band, result, backup, reason.
QJsonObject writeRecord(const WriteRecord& record);
// port, device, result (ok, failed), seconds, fileKey (the file read or the backup), reason.
QJsonArray radios(const std::vector<FleetRadio>& radios, const QString& fileKey);
// command, succeeded (every radio did), radios.
QJsonObject results(const QString& command, const std::vector<FleetRadio>& radios,
                    const QString& fileKey);
QJsonArray strings(const QStringList& texts);

// The document on stdout, indented, ending with a line break.
void print(const QJsonObject& document);

} // namespace zev::cli::json
