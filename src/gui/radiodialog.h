#pragma once

#include "stayontopdialog.h"

#include <functional>

namespace zev {

struct Workspace;

// A dialog that talks to the radio: it opens the shared serial line when shown and closes it
// when it closes. Closing it while one of its procedures runs cancels the session; the dialog
// closes once the procedure has returned, so the line is never closed under a running wait.
class RadioDialog : public StayOnTopDialog {
    Q_OBJECT
public:
    using Procedure = std::function<void()>;

    explicit RadioDialog(Workspace& workspace, QWidget* parent = nullptr);

    Workspace& workspace() const { return m_workspace; }
    bool isBusy() const { return m_busy; }

    void reject() override;

protected:
    // Runs procedure; a close meanwhile cancels the session and takes effect once it returns.
    // A procedure never runs twice at once.
    void runProcedure(const Procedure& procedure);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void requestClose();

    Workspace& m_workspace;
    bool m_busy = false;
    bool m_closeRequested = false;
};

} // namespace zev
