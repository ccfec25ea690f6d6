#pragma once

#include "radiodialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zev {

// The power adjust dialog (TForm7): the radio's high-power, low-power and low-voltage levels.
// The read and write procedures are installed with setReadProcedure() / setWriteProcedure();
// the fields keep their contents while the dialog is hidden.
class PowerDialog : public RadioDialog {
    Q_OBJECT
public:
    explicit PowerDialog(Workspace& workspace, QWidget* parent = nullptr);

    void setReadProcedure(Procedure procedure) { m_readProcedure = std::move(procedure); }
    void setWriteProcedure(Procedure procedure) { m_writeProcedure = std::move(procedure); }

    QLineEdit* highPowerEdit() const { return m_highPower; }
    QLineEdit* lowPowerEdit() const { return m_lowPower; }
    QComboBox* lowVoltageBox() const { return m_lowVoltage; }
    QPushButton* writeButton() const { return m_writeButton; }

private:
    Procedure m_readProcedure;
    Procedure m_writeProcedure;
    QLineEdit* m_highPower;
    QLineEdit* m_lowPower;
    QComboBox* m_lowVoltage;
    QPushButton* m_writeButton;
};

} // namespace zev
