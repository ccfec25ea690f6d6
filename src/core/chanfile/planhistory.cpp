#include "chanfile/planhistory.h"

#include "chanfile/plancompare.h"

namespace zev {

namespace {

bool sameMeaning(const Plan& a, const Plan& b) {
    return comparePlans(a, b).isEmpty();
}

} // namespace

void PlanHistory::start(const Plan& state) {
    m_states = {state};
    m_current = 0;
    m_clean = state;
}

bool PlanHistory::record(const Plan& state) {
    if (sameMeaning(state, m_states.at(m_current)))
        return false;
    m_states.resize(m_current + 1);
    m_states.append(state);
    if (m_states.size() > Depth + 1)
        m_states.removeFirst();
    m_current = m_states.size() - 1;
    return true;
}

std::optional<Plan> PlanHistory::undo() {
    if (!canUndo())
        return std::nullopt;
    return m_states.at(--m_current);
}

std::optional<Plan> PlanHistory::redo() {
    if (!canRedo())
        return std::nullopt;
    return m_states.at(++m_current);
}

bool PlanHistory::isModified(const Plan& state) const {
    return !sameMeaning(state, m_clean);
}

} // namespace zev
