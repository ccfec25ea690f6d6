#pragma once

#include <QChar>
#include <QString>

namespace zev {

// Keyboard letters in menu captions. The captions come from the language packs, some with their
// marker ("&File", "文件(&F)") and some without ("Help", "帮助").

// The caption with letter marked, so that Alt and the letter reach it: a caption that has a
// marker keeps it; otherwise the first occurrence of the letter is marked, and a caption without
// it or with Chinese characters gets "(&L)" after its text, before a closing ellipsis or colon
// (a label's "型号：" becomes "型号(&M)：").
QString withMnemonic(const QString& caption, QChar letter);

// The caption as a window title shows it: no marker, no "(&L)", no closing ellipsis.
QString plainCaption(const QString& caption);

} // namespace zev
