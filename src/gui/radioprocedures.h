#pragma once

#include <QString>

#include <functional>

namespace zev {

struct Workspace;
class CompareDialog;
class PowerDialog;
class ReadDialog;
class WriteDialog;

// Connects the read, write and power dialogs to the radio procedures over the workspace's
// serial link: each dialog's buttons run one session and show its outcome. Every write that
// reaches the radio adds a line to the write log, naming the plan file that planFile gives.
void installRadioProcedures(Workspace& workspace, ReadDialog& readDialog, WriteDialog& writeDialog,
                            CompareDialog& compareDialog, PowerDialog& powerDialog,
                            std::function<QString()> planFile);

} // namespace zev
