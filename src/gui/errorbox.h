#pragma once

#include <QString>

class QWidget;

namespace zev {

// "ZEV4800": the window's title and the caption of the program's own boxes.
QString programTitle();

// The application's general error box: stop icon, OK button, caption "ZEV4800". Every failure the
// user has to know about ends here.
void showErrorBox(QWidget* parent, const QString& message);

} // namespace zev
