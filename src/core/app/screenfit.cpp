#include "app/screenfit.h"

namespace zev {

QRect fittedWindowGeometry(QSize wanted, QMargins frame, QRect available) {
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize client = wanted.boundedTo(available.size() - frameExtra).expandedTo(QSize(1, 1));
    const QSize outer = client + frameExtra;
    const QPoint frameTopLeft(available.left() + (available.width() - outer.width()) / 2,
                              available.top() + (available.height() - outer.height()) / 2);
    return QRect(frameTopLeft + QPoint(frame.left(), frame.top()), client);
}

bool wantsMaximised(QSize wanted, QMargins frame, QSize screen, int reserve) {
    const QSize outer = wanted + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    return outer.width() > screen.width() - reserve || outer.height() > screen.height() - reserve;
}

} // namespace zev
