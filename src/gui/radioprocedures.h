#pragma once

namespace zev {

struct Workspace;
class CompareDialog;
class PowerDialog;
class ReadDialog;
class WriteDialog;

// Connects the read, write and power dialogs to the radio procedures over the workspace's
// serial link: each dialog's buttons run one session and show its outcome.
void installRadioProcedures(Workspace& workspace, ReadDialog& readDialog, WriteDialog& writeDialog,
                            CompareDialog& compareDialog, PowerDialog& powerDialog);

} // namespace zev
