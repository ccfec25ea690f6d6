#include "completions.h"

#include "commandtable.h"
#include "plan/stocklists.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace zev::cli {

namespace {

// What follows an option that takes a value, by the value's name in the table.
enum class ValueKind { Nothing, Port, File, Folder, Words };

struct Value {
    ValueKind kind = ValueKind::Nothing;
    QStringList words;
};

Value valueOf(const OptionSpec& option) {
    const QString name = QString::fromLatin1(option.valueName);
    if (name == QLatin1String("PORT"))
        return {ValueKind::Port, {}};
    if (name == QLatin1String("FILE"))
        return {ValueKind::File, {}};
    if (name == QLatin1String("DIR"))
        return {ValueKind::Folder, {}};
    if (name == QLatin1String("LANGUAGE"))
        return {ValueKind::Words, {QStringLiteral("english"), QStringLiteral("chinese")}};
    if (name.contains(QLatin1Char('|')))
        return {ValueKind::Words, name.split(QLatin1Char('|'))};
    return {};
}

QString dashed(const OptionSpec& option) {
    return QStringLiteral("--") + QLatin1String(option.name);
}

// The options a command takes, --help last; before the command, those every command takes.
std::vector<const OptionSpec*> optionsOf(const CommandSpec* command) {
    std::vector<const OptionSpec*> options;
    if (command)
        options = command->options;
    options.insert(options.end(), commonOptions().begin(), commonOptions().end());
    options.insert(options.end(), programOptions().begin(), programOptions().end());
    if (command)
        std::erase_if(options, [](const OptionSpec* option) {
            return qstrcmp(option->name, "version") == 0;
        });
    return options;
}

QStringList optionNames(const CommandSpec* command) {
    QStringList names;
    for (const OptionSpec* option : optionsOf(command))
        names << dashed(*option);
    return names;
}

// Every option that takes a value, whatever command it belongs to: the word after it is no
// command.
QStringList valueOptions() {
    QStringList names;
    for (const CommandSpec& command : commandSpecs())
        for (const OptionSpec* option : optionsOf(&command))
            if (option->valueName && !names.contains(dashed(*option)))
                names << dashed(*option);
    return names;
}

QStringList commandWords() {
    QStringList words;
    for (const CommandSpec& command : commandSpecs())
        words << QLatin1String(command.word);
    return words;
}

bool takesFiles(const CommandSpec& command) {
    return std::any_of(command.forms.begin(), command.forms.end(),
                       [](const FormSpec& form) { return !form.files.empty(); });
}

QStringList stockNames() {
    QStringList names;
    for (const StockList& list : stockLists())
        names << QLatin1String(list.key);
    return names;
}

// The first sentence of a description, short enough for a menu of completions.
QString summary(const char* description) {
    QString text = QString::fromUtf8(description);
    const qsizetype end = text.indexOf(QStringLiteral(". "));
    if (end >= 0)
        text.truncate(end);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    constexpr int Longest = 70;
    if (text.size() > Longest) {
        text.truncate(text.lastIndexOf(QLatin1Char(' '), Longest - 3));
        text += QStringLiteral("...");
    }
    return text;
}

// A text in single quotes for the shells that take '\'' for a quote.
QString quoted(QString text) {
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("'\\''")) +
           QLatin1Char('\'');
}

// The (command, option) pairs whose values complete the same way, for a case pattern: "cmd:--opt"
// ("*:--opt" before a command, where the option is one every command takes).
struct ValueCase {
    Value value;
    QStringList patterns;
};

std::vector<ValueCase> valueCases() {
    std::vector<ValueCase> cases;
    const auto add = [&](const QString& command, const OptionSpec& option) {
        const Value value = valueOf(option);
        const QString pattern = command + QLatin1Char(':') + dashed(option);
        for (ValueCase& known : cases)
            if (known.value.kind == value.kind && known.value.words == value.words) {
                if (!known.patterns.contains(pattern))
                    known.patterns << pattern;
                return;
            }
        cases.push_back({value, {pattern}});
    };
    for (const CommandSpec& command : commandSpecs())
        for (const OptionSpec* option : command.options)
            if (option->valueName)
                add(QLatin1String(command.word), *option);
    for (const OptionSpec* option : commonOptions())
        if (option->valueName)
            add(QStringLiteral("*"), *option);
    return cases;
}

QString bashScript() {
    QString s;
    s += QStringLiteral(
        "# bash completion for zev4800-cli, made by `zev4800-cli completions bash` from its "
        "command table.\n\n"
        "_zev4800_cli_ports() {\n"
        "    local ports=(auto COM1 COM2 COM3 COM4) port\n"
        "    for port in /dev/serial/by-id/* /dev/ttyUSB* /dev/ttyACM*; do\n"
        "        [[ -e $port ]] && ports+=(\"$port\")\n"
        "    done\n"
        "    COMPREPLY+=($(compgen -W \"${ports[*]}\" -- \"$cur\"))\n"
        "}\n\n"
        "# Folders, and the channel files and lists in them.\n"
        "_zev4800_cli_files() {\n"
        "    local IFS=$'\\n'\n"
        "    compopt -o filenames 2>/dev/null\n"
        "    COMPREPLY+=($(compgen -d -- \"$cur\") $(compgen -f -X '!*.[zZ]81' -- \"$cur\")\n"
        "        $(compgen -f -X '!*.[cC][sS][vV]' -- \"$cur\"))\n"
        "}\n\n"
        "_zev4800_cli() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command= i\n"
        "    COMPREPLY=()\n"
        "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
        "        case ${COMP_WORDS[i]} in\n");
    s += QStringLiteral("            %1) ((i++)) ;;\n").arg(valueOptions().join(QLatin1Char('|')));
    s += QStringLiteral("            -*) ;;\n"
                        "            *) command=${COMP_WORDS[i]}; break ;;\n"
                        "        esac\n"
                        "    done\n"
                        "    case $command:$prev in\n");
    for (const ValueCase& valueCase : valueCases()) {
        QString action;
        switch (valueCase.value.kind) {
        case ValueKind::Port:
            action = QStringLiteral("_zev4800_cli_ports");
            break;
        case ValueKind::File:
            action = QStringLiteral("compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -f -- "
                                    "\"$cur\"))");
            break;
        case ValueKind::Folder:
            action = QStringLiteral("compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -d -- "
                                    "\"$cur\"))");
            break;
        case ValueKind::Words:
            action = QStringLiteral("COMPREPLY=($(compgen -W \"%1\" -- \"$cur\"))")
                         .arg(valueCase.value.words.join(QLatin1Char(' ')));
            break;
        case ValueKind::Nothing:
            action = QStringLiteral(":");
            break;
        }
        s += QStringLiteral("        %1) %2; return ;;\n")
                 .arg(valueCase.patterns.join(QLatin1Char('|')), action);
    }
    s += QStringLiteral("    esac\n"
                        "    if [[ $cur == -* ]]; then\n"
                        "        local options\n"
                        "        case $command in\n");
    for (const CommandSpec& command : commandSpecs())
        s += QStringLiteral("            %1) options=\"%2\" ;;\n")
                 .arg(QLatin1String(command.word), optionNames(&command).join(QLatin1Char(' ')));
    s += QStringLiteral("            *) options=\"%1\" ;;\n").arg(optionNames(nullptr).join(' '));
    s += QStringLiteral("        esac\n"
                        "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
                        "        return\n"
                        "    fi\n"
                        "    case $command in\n");
    s += QStringLiteral("        '') COMPREPLY=($(compgen -W \"%1\" -- \"$cur\")) ;;\n")
             .arg(commandWords().join(QLatin1Char(' ')));
    s += QStringLiteral("        stock) COMPREPLY=($(compgen -W \"%1\" -- \"$cur\")); "
                        "_zev4800_cli_files ;;\n")
             .arg(stockNames().join(QLatin1Char(' ')));
    QStringList withFiles;
    for (const CommandSpec& command : commandSpecs())
        if (takesFiles(command) && qstrcmp(command.word, "stock") != 0)
            withFiles << QLatin1String(command.word);
    s += QStringLiteral("        %1) _zev4800_cli_files ;;\n").arg(withFiles.join('|'));
    s += QStringLiteral("    esac\n"
                        "}\n\n"
                        "complete -F _zev4800_cli zev4800-cli\n");
    return s;
}

// An entry of zsh's _describe: the colon in a description escaped.
QString described(const QString& word, const char* description) {
    return quoted(word + QLatin1Char(':') +
                  summary(description).replace(QLatin1Char(':'), QStringLiteral("\\:")));
}

QString zshScript() {
    QString s = QStringLiteral(
        "#compdef zev4800-cli\n"
        "# zsh completion for zev4800-cli, made by `zev4800-cli completions zsh` from its "
        "command table.\n\n"
        "_zev4800_cli_ports() {\n"
        "    local -a ports\n"
        "    ports=(auto COM1 COM2 COM3 COM4 /dev/serial/by-id/*(N) /dev/ttyUSB*(N) "
        "/dev/ttyACM*(N))\n"
        "    compadd -a ports\n"
        "}\n\n"
        "_zev4800-cli() {\n"
        "    local command= i\n"
        "    for ((i = 2; i < CURRENT; i++)); do\n"
        "        case ${words[i]} in\n");
    s += QStringLiteral("            (%1) ((i++)) ;;\n").arg(valueOptions().join(QLatin1Char('|')));
    s += QStringLiteral("            (-*) ;;\n"
                        "            (*) command=${words[i]}; break ;;\n"
                        "        esac\n"
                        "    done\n"
                        "    case $command:${words[CURRENT-1]} in\n");
    for (const ValueCase& valueCase : valueCases()) {
        QString action;
        switch (valueCase.value.kind) {
        case ValueKind::Port:
            action = QStringLiteral("_zev4800_cli_ports");
            break;
        case ValueKind::File:
            action = QStringLiteral("_files");
            break;
        case ValueKind::Folder:
            action = QStringLiteral("_files -/");
            break;
        case ValueKind::Words:
            action = QStringLiteral("compadd %1").arg(valueCase.value.words.join(' '));
            break;
        case ValueKind::Nothing:
            action = QStringLiteral("_message value");
            break;
        }
        s += QStringLiteral("        (%1) %2; return ;;\n")
                 .arg(valueCase.patterns.join(QLatin1Char('|')), action);
    }
    s += QStringLiteral("    esac\n"
                        "    local -a entries\n"
                        "    if [[ ${words[CURRENT]} == -* ]]; then\n"
                        "        case $command in\n");
    const auto optionEntries = [](const CommandSpec* command) {
        QStringList entries;
        for (const OptionSpec* option : optionsOf(command))
            entries << described(dashed(*option), option->description);
        return entries.join(QLatin1Char(' '));
    };
    for (const CommandSpec& command : commandSpecs())
        s += QStringLiteral("            (%1) entries=(%2) ;;\n")
                 .arg(QLatin1String(command.word), optionEntries(&command));
    s += QStringLiteral("            (*) entries=(%1) ;;\n").arg(optionEntries(nullptr));
    s += QStringLiteral("        esac\n"
                        "        _describe option entries\n"
                        "        return\n"
                        "    fi\n"
                        "    case $command in\n");
    QStringList commands;
    for (const CommandSpec& command : commandSpecs())
        commands << described(QLatin1String(command.word), command.description);
    s += QStringLiteral("        ('') entries=(%1); _describe command entries ;;\n")
             .arg(commands.join(QLatin1Char(' ')));
    s += QStringLiteral("        (stock) compadd %1; _files -g '*.([zZ]81|[cC][sS][vV])' ;;\n")
             .arg(stockNames().join(QLatin1Char(' ')));
    QStringList withFiles;
    for (const CommandSpec& command : commandSpecs())
        if (takesFiles(command) && qstrcmp(command.word, "stock") != 0)
            withFiles << QLatin1String(command.word);
    s += QStringLiteral("        (%1) _files -g '*.([zZ]81|[cC][sS][vV])' ;;\n")
             .arg(withFiles.join('|'));
    s += QStringLiteral("    esac\n"
                        "}\n\n"
                        "_zev4800-cli \"$@\"\n");
    return s;
}

// A text in single quotes as fish reads them: \' and \\ inside.
QString fishQuoted(QString text) {
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString fishScript() {
    QString s = QStringLiteral(
        "# fish completion for zev4800-cli, made by `zev4800-cli completions fish` from its "
        "command table.\n\n"
        "# The command word, the first word that is no option nor an option's value.\n"
        "function __zev4800_cli_command\n"
        "    set -l tokens (commandline -opc)\n"
        "    set -e tokens[1]\n"
        "    set -l skip 0\n"
        "    for token in $tokens\n"
        "        if test $skip = 1\n"
        "            set skip 0\n"
        "            continue\n"
        "        end\n"
        "        switch $token\n");
    s += QStringLiteral("            case %1\n").arg(valueOptions().join(QLatin1Char(' ')));
    s += QStringLiteral("                set skip 1\n"
                        "            case '-*'\n"
                        "            case '*'\n"
                        "                echo $token\n"
                        "                return\n"
                        "        end\n"
                        "    end\n"
                        "end\n\n"
                        "function __zev4800_cli_is\n"
                        "    contains -- (__zev4800_cli_command) $argv\n"
                        "end\n\n"
                        "function __zev4800_cli_ports\n"
                        "    printf '%s\\n' auto COM1 COM2 COM3 COM4\n"
                        "    for port in /dev/serial/by-id/* /dev/ttyUSB* /dev/ttyACM*\n"
                        "        test -e $port; and echo $port\n"
                        "    end\n"
                        "end\n\n"
                        "complete -c zev4800-cli -f\n");
    for (const CommandSpec& command : commandSpecs())
        s += QStringLiteral("complete -c zev4800-cli -n 'test -z (__zev4800_cli_command)' -a %1 "
                            "-d %2\n")
                 .arg(QLatin1String(command.word), fishQuoted(summary(command.description)));
    const auto option = [](const QString& condition, const OptionSpec& option) {
        QString line = QStringLiteral("complete -c zev4800-cli -n %1 -l %2")
                           .arg(fishQuoted(condition), QLatin1String(option.name));
        if (option.letter)
            line += QStringLiteral(" -s ") + QLatin1String(option.letter);
        const Value value = valueOf(option);
        switch (value.kind) {
        case ValueKind::Port:
            line += QStringLiteral(" -x -a '(__zev4800_cli_ports)'");
            break;
        case ValueKind::File:
            line += QStringLiteral(" -r -F");
            break;
        case ValueKind::Folder:
            line += QStringLiteral(" -x -a '(__fish_complete_directories)'");
            break;
        case ValueKind::Words:
            line += QStringLiteral(" -x -a %1").arg(fishQuoted(value.words.join(' ')));
            break;
        case ValueKind::Nothing:
            if (option.valueName)
                line += QStringLiteral(" -x");
            break;
        }
        return line + QStringLiteral(" -d ") + fishQuoted(summary(option.description)) +
               QLatin1Char('\n');
    };
    // --version only stands alone; the others every command takes.
    for (const OptionSpec* common : optionsOf(nullptr))
        s += option(qstrcmp(common->name, "version") == 0
                        ? QStringLiteral("test -z (__zev4800_cli_command)")
                        : QStringLiteral("true"),
                    *common);
    for (const CommandSpec& command : commandSpecs())
        for (const OptionSpec* own : command.options)
            s += option(QStringLiteral("__zev4800_cli_is ") + QLatin1String(command.word), *own);
    QStringList withFiles;
    for (const CommandSpec& command : commandSpecs())
        if (takesFiles(command))
            withFiles << QLatin1String(command.word);
    s += QStringLiteral("complete -c zev4800-cli -n '__zev4800_cli_is %1' -k -a "
                        "'(__fish_complete_suffix .z81; __fish_complete_suffix .csv)'\n")
             .arg(withFiles.join(QLatin1Char(' ')));
    s += QStringLiteral("complete -c zev4800-cli -n '__zev4800_cli_is stock' -a %1\n")
             .arg(fishQuoted(stockNames().join(QLatin1Char(' '))));
    return s;
}

} // namespace

std::optional<Shell> shellNamed(const QString& name) {
    if (name == QLatin1String("bash"))
        return Shell::Bash;
    if (name == QLatin1String("zsh"))
        return Shell::Zsh;
    if (name == QLatin1String("fish"))
        return Shell::Fish;
    return std::nullopt;
}

QString completionScript(Shell shell) {
    switch (shell) {
    case Shell::Bash:
        return bashScript();
    case Shell::Zsh:
        return zshScript();
    case Shell::Fish:
        return fishScript();
    }
    return {};
}

} // namespace zev::cli
