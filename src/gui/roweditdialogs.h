#pragma once

#include "plan/rowedit.h"
#include "plan/wording.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zev {

// Edit > Set for selected rows…: tones, power, Scan Add and Busy Lock for every selected used
// channel; each box starts at "unchanged".
class SetRowsDialog : public QDialog {
    Q_OBJECT
public:
    SetRowsDialog(const Wording& wording, const QList<int>& channels, QWidget* parent);
    RowSettings settings() const;

private:
    QComboBox* choiceBox(const char* name, const QStringList& items);
    void followRxTone();

    QComboBox* m_rxTone;
    QComboBox* m_txTone;
    QCheckBox* m_sameTone;
    QComboBox* m_power;
    QComboBox* m_scanAdd;
    QComboBox* m_busyLock;
};

// Edit > Fill frequencies…: RX = TX frequencies for the selected rows from a start and a step,
// TX moved by an offset when one is given. OK is taken only with a start, step and offset that
// read as numbers; the plan's own checks come when they are applied.
class FillFrequenciesDialog : public QDialog {
    Q_OBJECT
public:
    FillFrequenciesDialog(const QList<int>& channels, QWidget* parent);
    // What the form holds, or why it cannot be taken.
    Result<FrequencyFill> fill() const;
    void accept() override;

private:
    QLineEdit* m_start;
    QComboBox* m_step;
    QCheckBox* m_useOffset;
    QLineEdit* m_offset;
    QLabel* m_problem;
};

} // namespace zev
