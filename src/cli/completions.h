#pragma once

#include <QString>

#include <optional>

// Shell completions made from the command table, so that they know every command and option
// the parser knows: `zev4800-cli completions bash|zsh|fish`, run by the build.
namespace zev::cli {

enum class Shell { Bash, Zsh, Fish };

std::optional<Shell> shellNamed(const QString& name);

// The completion script for the shell: the commands, each command's options, the values of
// --lang and the on/off and high/low switches, the serial ports present for a port (COM1 to
// COM4 and auto too), folders for a folder, and .z81 and .csv files for the files a command
// takes (stock also its list names).
QString completionScript(Shell shell);

} // namespace zev::cli
