#pragma once

#include "childwindow.h"

class QTableView;

namespace zev {

class ChannelPlan;

// The channel editor (TForm2): the channel table in a grid, with a frequency editor and a
// tone picker laid over the cell being edited.
class ChannelEditor : public ChildWindow {
    Q_OBJECT
public:
    explicit ChannelEditor(ChannelPlan& plan, QWidget* parent = nullptr);

    // New empties the frequency editor's text.
    void clearFrequencyEditor();

private:
    ChannelPlan& m_plan;
    QTableView* m_grid = nullptr;
};

} // namespace zev
