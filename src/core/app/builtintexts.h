#pragma once

#include <QString>

namespace zev {

// The Chinese texts the windows carry before any pack is loaded; null for the numbers whose
// targets have none. Where one number has two targets with different built-in texts (25, 67, 75,
// 76) this is the first target's text: the menu item, the options window button, the power
// dialog buttons. Number 77 is the whole built-in status panel, the success label followed by
// "0"; number 68 is the about box line (the dialogs' panels have none).
QString builtinText(int id);

// The second targets' built-in texts for the numbers that have two different ones.
QString builtinAboutTitle();  // 25: about box caption
QString builtinAboutExit();   // 67: about box button
QString builtinReadButton();  // 75: read dialog button
QString builtinWriteButton(); // 76: write dialog button

} // namespace zev
