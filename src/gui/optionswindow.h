#pragma once

#include "childwindow.h"
#include "plan/vocabulary.h"

#include <array>

class QComboBox;

namespace zev {

class PlanModel;

// The function options window (TForm4): one pick-only selector per function option of the plan.
// The selectors show the plan's option lists and indices; a pick goes straight into the plan.
class OptionsWindow : public ChildWindow {
    Q_OBJECT
public:
    explicit OptionsWindow(PlanModel& plan, QWidget* parent = nullptr);

    QComboBox* selector(Option option) const;

private:
    void showItems(Option option);
    void showIndex(Option option);

    PlanModel& m_plan;
    std::array<QComboBox*, OptionCount> m_selectors{};
};

} // namespace zev
