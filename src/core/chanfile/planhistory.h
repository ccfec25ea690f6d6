#pragma once

#include "plan/plan.h"

#include <QList>

#include <optional>

namespace zev {

// The plan's states for undo and redo, and the state last saved, opened or read, each as its
// channel file. States are compared by meaning, so a language switch or another decimal mark is
// no change and no step.
class PlanHistory {
public:
    static constexpr int Depth = 100; // steps that can be undone

    // Forgets every step; state is the one there is, and the clean one.
    void start(const Plan& state);
    // A new step when state differs from the current one; the steps undone before are gone.
    bool record(const Plan& state);
    // The state to go back or forward to, now the current one.
    std::optional<Plan> undo();
    std::optional<Plan> redo();
    bool canUndo() const { return m_current > 0; }
    bool canRedo() const { return m_current + 1 < m_states.size(); }

    void markClean(const Plan& state) { m_clean = state; }
    bool isModified(const Plan& state) const;

private:
    QList<Plan> m_states{Plan{}};
    qsizetype m_current = 0;
    Plan m_clean;
};

} // namespace zev
