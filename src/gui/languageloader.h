#pragma once

#include <QList>
#include <QString>

class QObject;

namespace zev {

class LanguagePack;
struct LanguageTexts;

// The control named name that belongs to form (a window named "TForm" + digit) itself, not to
// another window nested inside it: the main window holds the child windows, and several windows
// have a "Label1". The form itself when name is empty; nullptr when there is none.
QObject* findControl(QObject* form, const QString& name);

// Puts every text of the pack into its places among forms (the seven windows, found by their
// names). A text the pack lacks leaves its places as they are.
void applyPackToWindows(const LanguagePack& pack, const QList<QObject*>& forms);

// The texts read at the moment of use; those the pack lacks keep their previous value.
void applyPackToTexts(const LanguagePack& pack, LanguageTexts& texts);

} // namespace zev
