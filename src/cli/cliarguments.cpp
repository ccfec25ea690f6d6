#include "cliarguments.h"

#include "commandtable.h"
#include "textwidth.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>

namespace zev::cli {

namespace {

const int LineWidth = 80;

QString translated(const char* text) {
    return QCoreApplication::translate("zev::cli::CommandLine", text);
}

QString dashed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString dashed(const OptionSpec& option) {
    return dashed(QString::fromLatin1(option.name));
}

QString label(const OptionSpec& option) {
    QString text = dashed(option);
    if (option.letter)
        text.prepend(dashed(QString::fromLatin1(option.letter)) + QStringLiteral(", "));
    if (option.valueName)
        text += QLatin1Char(' ') + QString::fromLatin1(option.valueName);
    return text;
}

std::vector<const OptionSpec*> optionsOf(const CommandSpec& command) {
    std::vector<const OptionSpec*> options = command.options;
    options.insert(options.end(), commonOptions().begin(), commonOptions().end());
    return options;
}

// Every option of every command once, in the order the commands list them, then --help and
// --version: the order --help shows them in.
std::vector<const OptionSpec*> everyOption() {
    std::vector<const OptionSpec*> options;
    for (const CommandSpec& command : commandSpecs())
        for (const OptionSpec* option : optionsOf(command))
            if (std::find(options.begin(), options.end(), option) == options.end())
                options.push_back(option);
    options.insert(options.end(), programOptions().begin(), programOptions().end());
    return options;
}

// One of each name, as one parser takes them: two commands may give a name meanings of their own
// (stock's --from N, clone's --from PORT).
std::vector<const OptionSpec*> namedOnce(const std::vector<const OptionSpec*>& options) {
    std::vector<const OptionSpec*> once;
    for (const OptionSpec* option : options)
        if (std::none_of(once.begin(), once.end(), [option](const OptionSpec* taken) {
                return qstrcmp(taken->name, option->name) == 0;
            }))
            once.push_back(option);
    return once;
}

void addOptions(QCommandLineParser& parser, const std::vector<const OptionSpec*>& options) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionSpec* option : options) {
        QStringList names{QString::fromLatin1(option->name)};
        if (option->letter)
            names.prepend(QString::fromLatin1(option->letter));
        parser.addOption(QCommandLineOption(
            names, QString(),
            option->valueName ? QString::fromLatin1(option->valueName) : QString()));
    }
}

const OptionSpec* findOption(const std::vector<const OptionSpec*>& options, const QString& name) {
    const auto found = std::find_if(options.begin(), options.end(), [&](const OptionSpec* option) {
        return name == QLatin1String(option->name) ||
               (option->letter && name == QLatin1String(option->letter));
    });
    return found == options.end() ? nullptr : *found;
}

// What is wrong with a command line that QCommandLineParser cannot parse.
Status syntaxError(const QCommandLineParser& parser, const QStringList& arguments,
                   const std::vector<const OptionSpec*>& options) {
    if (!parser.unknownOptionNames().isEmpty())
        return Status::failure(
            QCoreApplication::translate("zev::cli::CommandLine", "unknown option '%1'")
                .arg(dashed(parser.unknownOptionNames().constFirst())));
    // The parser takes whatever follows an option as its value, so only the last argument can
    // lack one.
    const QString last = arguments.last();
    const QString lastName = last.mid(last.startsWith(QStringLiteral("--")) ? 2 : 1);
    if (last.startsWith(QLatin1Char('-')) && !last.contains(QLatin1Char('=')))
        if (const OptionSpec* option = findOption(options, lastName); option && option->valueName)
            return Status::failure(
                QCoreApplication::translate("zev::cli::CommandLine", "%1 needs a value")
                    .arg(dashed(*option)));
    return Status::failure(parser.errorText());
}

// The refusal of an option that the command does not take: the command it belongs to, or, for
// an option of several commands, that this one takes none.
Status foreignOption(const CommandSpec& command, const QString& name) {
    QStringList takers;
    for (const CommandSpec& other : commandSpecs())
        if (findOption(other.options, name))
            takers.append(QString::fromLatin1(other.word));
    if (takers.size() == 1)
        return Status::failure(
            QCoreApplication::translate("zev::cli::CommandLine", "%1 belongs to %2")
                .arg(dashed(name), takers.constFirst()));
    return Status::failure(QCoreApplication::translate("zev::cli::CommandLine", "%1 takes no %2")
                               .arg(QString::fromLatin1(command.word), dashed(name)));
}

// The form an option given chooses; otherwise, of the forms no option chooses, the first that
// takes as many files as given or more (its refusal names what is missing), else the last (which
// refuses the extra ones).
const FormSpec& chosenForm(const CommandSpec& command, const QCommandLineParser& parser,
                           qsizetype fileCount) {
    const auto chosen =
        std::find_if(command.forms.rbegin(), command.forms.rend(), [&](const FormSpec& form) {
            return form.chosenBy && parser.isSet(QString::fromLatin1(form.chosenBy->name));
        });
    if (chosen != command.forms.rend())
        return *chosen;
    const FormSpec* last = &command.forms.front();
    for (const FormSpec& form : command.forms) {
        if (form.chosenBy)
            continue;
        if (qsizetype(form.files.size()) >= fileCount)
            return form;
        last = &form;
    }
    return *last;
}

Result<Arguments> parseCommand(const CommandSpec& command, const QStringList& arguments) {
    QCommandLineParser parser;
    const std::vector<const OptionSpec*> options = optionsOf(command);
    addOptions(parser, options);
    // Every option is known by now, so what this parser does not know belongs to another
    // command.
    if (!parser.parse(arguments))
        return parser.unknownOptionNames().isEmpty()
                   ? Status::failure(parser.errorText())
                   : foreignOption(command, parser.unknownOptionNames().constFirst());

    Arguments parsed;
    parsed.command = command.command;
    for (const OptionSpec* option : options) {
        const QString name = QString::fromLatin1(option->name);
        if (!parser.isSet(name))
            continue;
        const QStringList values = option->valueName ? parser.values(name) : QStringList();
        if (values.contains(QString()))
            return Status::failure(
                QCoreApplication::translate("zev::cli::CommandLine", "%1 needs a value")
                    .arg(dashed(*option)));
        if (Status stored = option->store(parsed, values); !stored)
            return stored;
    }

    if (command.check)
        if (Status checked = command.check(parsed); !checked)
            return checked;

    const QStringList files = parser.positionalArguments().mid(1); // after the command word
    const FormSpec& form = chosenForm(command, parser, files.size());
    if (files.size() > qsizetype(form.files.size()))
        return Status::failure(
            QCoreApplication::translate("zev::cli::CommandLine", "unexpected argument '%1'")
                .arg(files.last()));
    if (files.size() < qsizetype(form.files.size()))
        return Status::failure(translated(form.missingFiles));
    for (qsizetype i = 0; i < files.size(); ++i)
        parsed.*form.files.at(size_t(i)).field = files.at(i);
    for (const OptionSpec* option : form.required)
        if (!parser.isSet(QString::fromLatin1(option->name)))
            return Status::failure(
                QCoreApplication::translate("zev::cli::CommandLine", "%1 is required")
                    .arg(label(*option)));
    return parsed;
}

// Each label with its description beside it, the descriptions in a column of their own and
// wrapped to the line width.
QString entries(const QList<std::pair<QString, QString>>& rows) {
    int labelWidth = 0;
    for (const auto& [label, description] : rows)
        labelWidth = std::max(labelWidth, displayWidth(label));
    const int column = labelWidth + 4; // two blanks before the label, at least two after it
    QString text;
    for (const auto& [label, description] : rows) {
        QStringList lines = wrapped(description, LineWidth - column);
        for (QString& line : lines)
            line.prepend(QString(column, QLatin1Char(' ')));
        lines.first().replace(0, column, padded(QStringLiteral("  ") + label, column));
        text += lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    return text;
}

QString paragraph(const char* text) {
    return wrapped(translated(text), LineWidth).join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

QString usageText() {
    const QString program = QStringLiteral("zev4800-cli ");
    const QString usage =
        translated(QT_TRANSLATE_NOOP("zev::cli::CommandLine", "Usage:")) + QLatin1Char(' ');
    QString text;
    for (const CommandSpec& command : commandSpecs()) {
        for (const FormSpec& form : command.forms) {
            QStringList words{QString::fromLatin1(command.word)};
            if (*form.synopsis)
                words.append(QString::fromLatin1(form.synopsis));
            for (const FileSpec& file : form.files)
                words.append(QString::fromLatin1(file.name));
            words.append(QStringLiteral("[options]"));
            text += padded(text.isEmpty() ? usage : QString(), displayWidth(usage)) + program +
                    words.join(QLatin1Char(' ')) + QLatin1Char('\n');
        }
    }
    text += QLatin1Char('\n');
    text += paragraph(QT_TRANSLATE_NOOP(
        "zev::cli::CommandLine", "Programs an RH-4800 radio through its programming cable."));
    text += QLatin1Char('\n');
    text += translated(QT_TRANSLATE_NOOP("zev::cli::CommandLine", "Commands:")) + QLatin1Char('\n');
    QList<std::pair<QString, QString>> commands;
    for (const CommandSpec& command : commandSpecs())
        commands.append({QString::fromLatin1(command.word), translated(command.description)});
    text += entries(commands);
    text += QLatin1Char('\n');
    text += paragraph(QT_TRANSLATE_NOOP(
        "zev::cli::CommandLine",
        "With several --port options, read and write work on all the radios at once, each on its "
        "own; a table of port, result and time follows, and the exit status is 0 only when every "
        "radio succeeded."));
    text += QLatin1Char('\n');
    text += paragraph(QT_TRANSLATE_NOOP(
        "zev::cli::CommandLine",
        "Ctrl-C stops a read or write at its next step and takes the radio out of programming "
        "mode; a second Ctrl-C, or SIGTERM, ends the program at once."));
    text += QLatin1Char('\n');
    text += translated(QT_TRANSLATE_NOOP("zev::cli::CommandLine", "Options:")) + QLatin1Char('\n');
    QList<std::pair<QString, QString>> options;
    for (const OptionSpec* option : everyOption())
        options.append({label(*option), translated(option->description)});
    text += entries(options);
    text += QLatin1Char('\n');
    text += paragraph(QT_TRANSLATE_NOOP(
        "zev::cli::CommandLine",
        "Exit status: 0 success, 1 the command failed (radio, file or plan), 2 bad usage."));
    text += paragraph(QT_TRANSLATE_NOOP("zev::cli::CommandLine",
                                        "diff: 0 the plans are equal, 1 they differ, 2 an error."));
    return text;
}

std::optional<Language> languageOption(const QStringList& arguments) {
    std::optional<Language> language;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        if (!argument.startsWith(QLatin1Char('-')) || !name.startsWith(QLatin1String("lang")))
            continue;
        QString value;
        if (name == QLatin1String("lang") && i + 1 < arguments.size())
            value = arguments.at(++i);
        else if (name.startsWith(QLatin1String("lang=")))
            value = name.mid(5);
        if (const std::optional<Language> named = languageOfPack(value))
            language = named;
    }
    return language;
}

Result<Arguments> parseArguments(const QStringList& arguments) {
    // The command word is the first argument that is not an option or its value, and options
    // may stand before it: only a parser that knows every option can tell which it is.
    QCommandLineParser parser;
    const std::vector<const OptionSpec*> options = namedOnce(everyOption());
    addOptions(parser, options);
    const bool parsed = parser.parse(arguments);
    for (const OptionSpec* option : programOptions()) {
        if (parser.isSet(QString::fromLatin1(option->name))) {
            Arguments program;
            if (Status stored = option->store(program, {}); !stored)
                return stored;
            return program;
        }
    }
    if (!parsed)
        return syntaxError(parser, arguments, options);
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return Status::failure(
            QCoreApplication::translate("zev::cli::CommandLine", "no command given"));
    const std::span<const CommandSpec> commands = commandSpecs();
    const auto command = std::find_if(commands.begin(), commands.end(), [&](const auto& entry) {
        return words.first() == QLatin1String(entry.word);
    });
    if (command == commands.end())
        return Status::failure(
            QCoreApplication::translate("zev::cli::CommandLine", "unknown command '%1'")
                .arg(words.first()));
    return parseCommand(*command, arguments);
}

} // namespace zev::cli
