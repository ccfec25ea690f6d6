#pragma once

#include "app/builtintexts.h"
#include "app/textids.h"
#include "jobs/writejob.h"
#include "plan/bandlist.h"
#include "planmodel.h"
#include "radio/linkserial.h"
#include "radio/serialport.h"

#include <QString>

#include <array>

namespace zev {

// The language texts that no window shows by itself: they are read at the moment of use, so a
// language switch reaches every later question, message and status panel.
struct LanguageTexts {
    QString confirmCaption; // caption of New and model change questions
    QString modelChangeQuestion;
    QString newQuestion;
    // Before the success counter of the read and write dialogs. Until a pack supplies it, the
    // label of the built-in panel text, so that a reset panel still says what it counts.
    QString successLabel = builtinText(TextId::SuccessLabel).chopped(1);
    QString transferFailed; // a read or write failed
    QString portBusyMessage;
    QString portBusyCaption;
};

// What the windows show and the radio dialogs work on, alive for the whole run: the channel
// plan, the model list, the one serial line with its link state (shared by the read, write and
// power dialogs) and the language texts. Windows are views over it.
struct Workspace {
    Workspace() {
        QObject::connect(&bands, &BandList::changed, &plan,
                         [this] { plan.setBand(bands.currentText()); });
    }

    // The plan as the windows show it, its band the model selector's.
    const Plan& currentPlan() const { return plan.plan(); }
    // Puts a whole plan in place, as zev::showPlan does.
    void showPlan(const Plan& shown) { zev::showPlan(shown, plan, bands); }

    PlanModel plan;
    BandList bands;
    SerialPort port;
    SerialLink link{port};
    std::array<QString, 4> portDevices; // device behind COM1 to COM4
    WriteJobSettings writeJob;          // the device is the port's at the time of writing
    LanguageTexts texts;
};

} // namespace zev
