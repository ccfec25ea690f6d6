#pragma once

#include <QObject>
#include <QStringList>

namespace zev {

// The band list that the model selector shows: band strings such as "136-174MHz", and which one
// is selected.
class BandList : public QObject {
    Q_OBJECT
public:
    explicit BandList(QObject* parent = nullptr);

    const QStringList& items() const { return m_items; }
    int currentIndex() const { return m_current; }
    QString currentText() const; // empty without a selection
    void setItems(const QStringList& items, int current);
    void setCurrentIndex(int index); // an index outside the list means no selection
    // Selects the first item equal to band, or appends band and selects it; emits bandApplied.
    void applyBand(const QString& band);

signals:
    void changed();
    // A band was applied by reading the radio or opening a file: the title follows it.
    void bandApplied(const QString& band);

private:
    QStringList m_items;
    int m_current = -1;
};

} // namespace zev
