#include "chanfile/channelfile.h"
#include "chanfile/channelfilelines.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringEncoder>

namespace zev {

namespace {

constexpr char encodingName[] = "GBK";

constexpr int bandLine = 4;
constexpr int firstOptionLine = 5;
constexpr int firstChannelLine = 14;
constexpr int lineCount = firstChannelLine + Plan::ChannelCount - 1;
static_assert(lineCount == ChannelFileLineCount);

// The band is taken from this character on, at most this many characters.
constexpr qsizetype bandStart = 6;
constexpr qsizetype bandLength = 10;
// Character 8 of a channel line is the first character of its RX frequency.
constexpr qsizetype firstCellStart = 8;

const QString headerText = QStringLiteral("RH-4800 MEMORY CHANNEL");
const QString bandKey = QStringLiteral("BAND ");
const QString separator = QStringLiteral(" | ");

// Lines 5 to 11. Each key ends in its blank, so the index is the character right after the key.
struct OptionLine {
    Option option;
    const char* key;
};
constexpr std::array<OptionLine, OptionCount> optionLines = {{
    {Option::Squelch, "Squelch "},
    {Option::BatterySave, "BatSave "},
    {Option::TimeOutTimer, "TxT.O.T "},
    {Option::Scan, "SCAN "},
    {Option::KeyBeep, "TONE "},
    {Option::AlarmKey, "BAO "},
    {Option::VoicePrompt, "VOICE "},
}};

QString channelLine(int row, const ChannelRow& cells) {
    QString line = QStringLiteral("CH%1").arg(row, 2, 10, QLatin1Char('0')) + separator;
    for (const QString& cell : cells)
        line += cell + separator;
    return line;
}

// A character position counted from 1; empty past the end of the line.
QStringView characterAt(const QString& line, qsizetype position) {
    return position <= line.size() ? QStringView(line).mid(position - 1, 1) : QStringView();
}

// The first `count` lines. A line ends at LF, and a CR right before that LF belongs to the line
// end.
QStringList leadingLines(const QString& text, int count) {
    QStringList lines;
    qsizetype start = 0;
    while (lines.size() < count && start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QString line = text.mid(start, end - start);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        lines << line;
        start = end + 1;
    }
    return lines;
}

QString decodeGbk(QByteArray bytes) {
    // A double-byte character cut off at the very end would otherwise vanish without a trace;
    // followed by a line end it decodes as invalid.
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes.append('\n');
    QStringDecoder decoder(encodingName);
    return decoder.decode(bytes);
}

// Bytes that are not GBK decode as U+FFFD; such text would reach the plan corrupted.
Status checkDecoded(const QString& taken, const QString& path, int lineNumber) {
    if (taken.contains(QChar::ReplacementCharacter))
        return lineFailure(
            path, lineNumber,
            QCoreApplication::translate("zev::ChannelFile", "the text is not valid GBK"));
    return Status::success();
}

// A digit, or the -1 that Save writes for a selector without a selection: a radio can hand over
// an option digit beyond its list, and the file of such a read must open again.
Result<int> parseOptionIndex(const QString& line, qsizetype position, const QString& path,
                             int lineNumber) {
    const QStringView character = characterAt(line, position);
    if (character.size() == 1 && character[0] >= QLatin1Char('0') &&
        character[0] <= QLatin1Char('9'))
        return character[0].unicode() - '0';
    if (character == QLatin1String("-") && characterAt(line, position + 1) == QLatin1String("1"))
        return -1;
    return lineFailure(
        path, lineNumber,
        QCoreApplication::translate("zev::ChannelFile", "'%1' is not a valid integer value")
            .arg(displayCharacter(character)));
}

// The cells between the blanks of " | ". A row whose RX frequency is empty stays empty, and so
// do the cells from the first one that finds no blank.
Result<ChannelRow> parseChannelLine(const QString& line, const QString& path, int lineNumber) {
    ChannelRow cells;
    if (line.size() < firstCellStart || line.at(firstCellStart - 1) == QLatin1Char(' '))
        return cells;
    // Up to but not including the last character: the blank of the last separator.
    QString rest = line.mid(firstCellStart - 1, line.size() - firstCellStart);
    if (const Status decoded = checkDecoded(rest, path, lineNumber); !decoded.ok())
        return decoded;
    for (QString& cell : cells) {
        const qsizetype blank = rest.indexOf(QLatin1Char(' '));
        if (blank < 0)
            break;
        cell = rest.left(blank);
        rest = rest.mid(blank + separator.size());
    }
    return cells;
}

} // namespace

int bandLineNumber() {
    return bandLine;
}

int optionLineNumber(Option option) {
    for (int offset = 0; offset < OptionCount; ++offset) {
        if (optionLines[offset].option == option)
            return firstOptionLine + offset;
    }
    return 0;
}

int channelLineNumber(int row) {
    return firstChannelLine + row - 1;
}

int presentLineCount(const QByteArray& bytes) {
    return int(leadingLines(decodeGbk(bytes), lineCount).size());
}

Status lineFailure(const QString& path, int lineNumber, const QString& text) {
    if (path.isEmpty())
        return Status::failure(QCoreApplication::translate("zev::ChannelFile", "Line %1: %2")
                                   .arg(lineNumber)
                                   .arg(text));
    return Status::failure(QCoreApplication::translate("zev::ChannelFile", "%1, line %2: %3")
                               .arg(path)
                               .arg(lineNumber)
                               .arg(text));
}

QString displayCharacter(QStringView character) {
    if (character.isEmpty())
        return QString();
    const char32_t code = character.toUcs4().value(0);
    if (QChar::isPrint(code) && code != QChar::ReplacementCharacter)
        return character.toString();
    return QStringLiteral("U+%1").arg(static_cast<uint>(code), 4, 16, QLatin1Char('0')).toUpper();
}

QStringList channelFileLines(const Plan& plan, const SelectorTexts& selectorTexts) {
    QStringList lines{headerText, QString(), QString(), bandKey + plan.band};
    for (const OptionLine& optionLine : optionLines) {
        const int index = optionSlot(optionLine.option);
        lines << QLatin1String(optionLine.key) + QString::number(plan.options[index]) +
                     QLatin1Char(' ') + selectorTexts[index];
    }
    lines << QString() << QString();
    for (int row = 1; row <= Plan::ChannelCount; ++row)
        lines << channelLine(row, plan.channel(row));
    return lines;
}

Status checkStorable(const QStringList& lines, const QString& path) {
    for (qsizetype lineIndex = 0; lineIndex < lines.size(); ++lineIndex) {
        const QString& line = lines[lineIndex];
        const int lineNumber = int(lineIndex) + 1;
        // A line feed inside a value would shift every later line when the file is read back.
        if (line.contains(QLatin1Char('\n')))
            return lineFailure(
                path, lineNumber,
                QCoreApplication::translate("zev::ChannelFile",
                                            "a line break inside a value cannot be stored"));
        QStringEncoder lineEncoder(encodingName);
        const QByteArray lineBytes = lineEncoder.encode(line); // encodes only when converted
        if (!lineEncoder.hasError())
            continue;
        for (qsizetype at = 0; at < line.size(); ++at) {
            const qsizetype length = line.at(at).isHighSurrogate() ? 2 : 1;
            const QStringView character = QStringView(line).mid(at, length);
            QStringEncoder characterEncoder(encodingName);
            const QByteArray characterBytes = characterEncoder.encode(character);
            if (characterEncoder.hasError())
                return lineFailure(
                    path, lineNumber,
                    QCoreApplication::translate("zev::ChannelFile", "'%1' cannot be stored as GBK")
                        .arg(displayCharacter(character)));
            at += length - 1;
        }
        return lineFailure(
            path, lineNumber,
            QCoreApplication::translate("zev::ChannelFile", "the line cannot be stored as GBK"));
    }
    return Status::success();
}

QByteArray formatChannelFile(const Plan& plan, const SelectorTexts& selectorTexts) {
    const QStringList lines = channelFileLines(plan, selectorTexts);
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    QStringEncoder encoder(encodingName);
    return encoder.encode(text);
}

// Positions are characters of the decoded text, not bytes: a band or cell with Chinese
// characters is cut at a character, never inside one.
Result<Plan> parseChannelFile(const QByteArray& bytes, const QString& path) {
    const QStringList lines = leadingLines(decodeGbk(bytes), lineCount);
    const auto line = [&lines](int number) { return lines.value(number - 1); };

    Plan plan;
    const QString bandText = line(bandLine);
    plan.band = bandText.size() >= bandStart ? bandText.mid(bandStart - 1, bandLength) : QString();
    if (const Status decoded = checkDecoded(plan.band, path, bandLine); !decoded.ok())
        return decoded;

    for (int offset = 0; offset < OptionCount; ++offset) {
        const OptionLine& optionLine = optionLines[offset];
        const int lineNumber = firstOptionLine + offset;
        const qsizetype position = qstrlen(optionLine.key) + 1;
        const Result<int> index = parseOptionIndex(line(lineNumber), position, path, lineNumber);
        if (!index.ok())
            return Status::failure(index.message());
        plan.options[optionSlot(optionLine.option)] = index.value();
    }

    // Rows by line order, whatever their labels say; missing lines leave their rows empty.
    for (int row = 1; row <= Plan::ChannelCount; ++row) {
        const int lineNumber = firstChannelLine + row - 1;
        if (lineNumber > lines.size())
            break;
        Result<ChannelRow> cells = parseChannelLine(line(lineNumber), path, lineNumber);
        if (!cells.ok())
            return Status::failure(cells.message());
        plan.channels[row - 1] = std::move(cells).value();
    }
    return plan;
}

} // namespace zev
