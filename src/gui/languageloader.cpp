#include "languageloader.h"

#include "app/languagepack.h"
#include "app/textids.h"
#include "workspace.h"

#include <QRegularExpression>
#include <QVariant>

namespace zev {

namespace {

struct TextPlace {
    int id;
    const char* form;
    const char* control; // empty: the form itself
    const char* property;
};

// Where each text goes. The channel plan's texts (words, tone list head, option lists, header
// row) are the plan's business; the texts read at the moment of use are in applyPackToTexts.
constexpr TextPlace textPlaces[] = {
    {TextId::StatusLine, "TForm1", "StatusBar1Panel0", "text"},
    {TextId::NewHint, "TForm1", "ToolButton2", "toolTip"},
    {TextId::OpenHint, "TForm1", "ToolButton3", "toolTip"},
    {TextId::SaveHint, "TForm1", "ToolButton4", "toolTip"},
    {TextId::ReadHint, "TForm1", "ToolButton6", "toolTip"},
    {TextId::WriteHint, "TForm1", "ToolButton8", "toolTip"},
    {TextId::ChannelEditHint, "TForm1", "ToolButton18", "toolTip"},
    {TextId::FunctionOptionsHint, "TForm1", "ToolButton19", "toolTip"},
    {TextId::PowerAdjustHint, "TForm1", "ToolButton22", "toolTip"},
    // A picture button's hint is also what a screen reader calls it.
    {TextId::NewHint, "TForm1", "ToolButton2", "accessibleName"},
    {TextId::OpenHint, "TForm1", "ToolButton3", "accessibleName"},
    {TextId::SaveHint, "TForm1", "ToolButton4", "accessibleName"},
    {TextId::ReadHint, "TForm1", "ToolButton6", "accessibleName"},
    {TextId::WriteHint, "TForm1", "ToolButton8", "accessibleName"},
    {TextId::ChannelEditHint, "TForm1", "ToolButton18", "accessibleName"},
    {TextId::FunctionOptionsHint, "TForm1", "ToolButton19", "accessibleName"},
    {TextId::PowerAdjustHint, "TForm1", "ToolButton22", "accessibleName"},
    {TextId::ModelLabel, "TForm1", "Label1", "text"},
    {TextId::FileMenu, "TForm1", "N1", "title"},
    {TextId::NewMenu, "TForm1", "N2", "text"},
    {TextId::OpenMenu, "TForm1", "O1", "text"},
    {TextId::SaveMenu, "TForm1", "S1", "text"},
    {TextId::CloseMenu, "TForm1", "N4", "text"},
    {TextId::EditMenu, "TForm1", "N5", "title"},
    {TextId::ReadCommand, "TForm1", "N6", "text"},
    {TextId::ReadCommand, "TForm6", "", "windowTitle"},
    {TextId::WriteCommand, "TForm1", "N7", "text"},
    {TextId::WriteCommand, "TForm3", "", "windowTitle"},
    {TextId::ChannelEditMenu, "TForm1", "N9", "text"},
    {TextId::FunctionOptionsMenu, "TForm1", "N11", "text"},
    {TextId::PowerAdjustCommand, "TForm1", "N18", "text"},
    {TextId::PowerAdjustCommand, "TForm7", "", "windowTitle"},
    {TextId::PortMenu, "TForm1", "N12", "title"},
    {TextId::HelpMenu, "TForm1", "N13", "title"},
    {TextId::HelpContentsMenu, "TForm1", "N14", "text"},
    {TextId::AboutCommand, "TForm1", "N16", "text"},
    {TextId::AboutCommand, "TForm5", "", "windowTitle"},
    {TextId::LanguageMenu, "TForm1", "N19", "title"},
    {TextId::ChannelEditorTitle, "TForm2", "", "windowTitle"},
    {TextId::ChannelEditorExit, "TForm2", "TeButton1", "text"},
    {TextId::MoveChannelUp, "TForm2", "TeButton2", "text"},
    {TextId::MoveChannelDown, "TForm2", "TeButton3", "text"},
    {TextId::DeleteChannel, "TForm2", "TeButton4", "text"},
    {TextId::FunctionOptionsTitle, "TForm4", "", "windowTitle"},
    {TextId::SquelchLabel, "TForm4", "Label1", "text"},
    {TextId::BatterySaveLabel, "TForm4", "Label2", "text"},
    {TextId::TimeOutTimerLabel, "TForm4", "Label3", "text"},
    {TextId::VoicePromptLabel, "TForm4", "Label4", "text"},
    {TextId::KeyBeepLabel, "TForm4", "Label5", "text"},
    {TextId::AlarmKeyLabel, "TForm4", "Label6", "text"},
    {TextId::ScanLabel, "TForm4", "Label7", "text"},
    {TextId::ExitButton, "TForm4", "TeButton1", "text"},
    {TextId::ExitButton, "TForm5", "TeButton1", "text"},
    {TextId::ProgramLine, "TForm5", "Label1", "text"},
    {TextId::ProgramLine, "TForm3", "StatusBar1Panel0", "text"},
    {TextId::ProgramLine, "TForm6", "StatusBar1Panel0", "text"},
    {TextId::VersionLine, "TForm5", "Label2", "text"},
    {TextId::AboutLine3, "TForm5", "Label3", "text"},
    {TextId::AboutLine4, "TForm5", "Label4", "text"},
    {TextId::HighPowerLabel, "TForm7", "Label1", "text"},
    {TextId::LowVoltageLabel, "TForm7", "Label2", "text"},
    {TextId::LowPowerLabel, "TForm7", "Label3", "text"},
    {TextId::ReadOutButton, "TForm7", "DsFancyButton1", "text"},
    {TextId::ReadOutButton, "TForm6", "Button1", "text"},
    {TextId::WriteInButton, "TForm7", "DsFancyButton2", "text"},
    {TextId::WriteInButton, "TForm3", "Button1", "text"},
    {TextId::OptionsMenu, "TForm1", "N22", "title"},
};

bool isForm(const QObject* object) {
    static const QRegularExpression formName(QStringLiteral("^TForm\\d$"));
    return object->isWidgetType() && formName.match(object->objectName()).hasMatch();
}

QObject* owningForm(QObject* object) {
    for (QObject* ancestor = object->parent(); ancestor; ancestor = ancestor->parent()) {
        if (isForm(ancestor))
            return ancestor;
    }
    return nullptr;
}

} // namespace

QObject* findControl(QObject* form, const QString& name) {
    if (!form)
        return nullptr;
    if (name.isEmpty())
        return form;
    const QList<QObject*> candidates = form->findChildren<QObject*>(name);
    for (QObject* candidate : candidates) {
        if (owningForm(candidate) == form)
            return candidate;
    }
    return nullptr;
}

void applyPackToWindows(const LanguagePack& pack, const QList<QObject*>& forms) {
    for (const TextPlace& place : textPlaces) {
        const QString text = pack.text(place.id);
        if (text.isNull())
            continue;
        for (QObject* form : forms) {
            if (form && form->objectName() == QLatin1String(place.form)) {
                if (QObject* control = findControl(form, QLatin1String(place.control)))
                    control->setProperty(place.property, text);
            }
        }
    }
}

void applyPackToTexts(const LanguagePack& pack, LanguageTexts& texts) {
    const auto take = [&pack](int id, QString& target) {
        if (const QString text = pack.text(id); !text.isNull())
            target = text;
    };
    take(TextId::ConfirmCaption, texts.confirmCaption);
    take(TextId::ModelChangeQuestion, texts.modelChangeQuestion);
    take(TextId::NewQuestion, texts.newQuestion);
    take(TextId::SuccessLabel, texts.successLabel);
    take(TextId::TransferFailed, texts.transferFailed);
    take(TextId::PortBusyMessage, texts.portBusyMessage);
    take(TextId::PortBusyCaption, texts.portBusyCaption);
}

} // namespace zev
