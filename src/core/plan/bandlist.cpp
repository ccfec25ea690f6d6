#include "plan/bandlist.h"

namespace zev {

BandList::BandList(QObject* parent) : QObject(parent) {}

QString BandList::currentText() const {
    return m_current >= 0 && m_current < m_items.size() ? m_items.at(m_current) : QString();
}

void BandList::setItems(const QStringList& items, int current) {
    m_items = items;
    m_current = current >= 0 && current < m_items.size() ? current : -1;
    emit changed();
}

void BandList::setCurrentIndex(int index) {
    const int current = index >= 0 && index < m_items.size() ? index : -1;
    if (current == m_current)
        return;
    m_current = current;
    emit changed();
}

void BandList::applyBand(const QString& band) {
    int index = m_items.indexOf(band);
    if (index < 0) {
        m_items.append(band);
        index = m_items.size() - 1;
    }
    m_current = index;
    emit changed();
    emit bandApplied(currentText());
}

} // namespace zev
