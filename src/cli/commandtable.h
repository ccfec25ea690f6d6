#pragma once

#include "cliarguments.h"

#include <span>
#include <vector>

// What each command takes, in one place: the parsers and --help are both made from it.
// Descriptions and refusals are translated at use in the context "zev::cli::CommandLine".
namespace zev::cli {

struct OptionSpec {
    const char* name;        // without the dashes
    const char* valueName;   // nullptr: a switch
    const char* description; // for --help
    // Puts the option's values, one for each time it is given, into the arguments, or says why
    // they cannot be taken. A switch gets no values.
    Status (*store)(Arguments& arguments, const QStringList& values);
    const char* letter = nullptr; // a one-letter name besides the long one
};

// A file named on the command line and the field it fills.
struct FileSpec {
    const char* name; // as the usage lines show it
    QString Arguments::*field;
};

// One way of calling a command: one usage line.
struct FormSpec {
    const char* synopsis = "";                    // the options the usage line shows
    std::vector<const OptionSpec*> required = {}; // refused when one is missing, in this order
    std::vector<FileSpec> files = {};             // in their order on the command line
    const char* missingFiles = nullptr;           // the refusal when files are missing
    const OptionSpec* chosenBy = nullptr;         // this form when that option is given
};

struct CommandSpec {
    Command command;
    const char* word;
    const char* description;
    std::vector<const OptionSpec*> options = {}; // its own; commonOptions() come after them
    std::vector<FormSpec> forms = {};            // the first one unless another is chosen
    Status (*check)(const Arguments& arguments) = nullptr; // rules between its options
};

// The commands in the order --help lists them.
std::span<const CommandSpec> commandSpecs();
// The options every command takes.
std::span<const OptionSpec* const> commonOptions();
// --help and --version: they stand for the whole command line wherever they stand.
std::span<const OptionSpec* const> programOptions();

} // namespace zev::cli
