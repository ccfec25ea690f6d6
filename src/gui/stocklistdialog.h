#pragma once

#include "plan/stocklists.h"
#include "plan/vocabulary.h"

#include <QDialog>

#include <optional>

class QDialogButtonBox;
class QLabel;
class QListWidget;
class QSpinBox;
class QTableWidget;

namespace zev {

// Offers the stock lists with a preview of the 16 channels the chosen one gives, from a chosen
// first entry for a list longer than that, in the plan's words and band; channels outside the
// band are named, and kept.
class StockListDialog : public QDialog {
    Q_OBJECT
public:
    StockListDialog(const Words& words, const QString& band, QWidget* parent = nullptr);

    // The plan of the list and first entry chosen; nothing before a list is chosen.
    const std::optional<StockPlan>& stockPlan() const { return m_made; }

    QListWidget* lists() const { return m_lists; }
    QSpinBox* firstEntry() const { return m_firstEntry; }
    QTableWidget* preview() const { return m_preview; }
    QLabel* note() const { return m_note; }
    QDialogButtonBox* buttons() const { return m_buttons; }

private:
    void chooseList();
    void showPreview();

    Words m_words;
    QString m_band;
    std::optional<StockPlan> m_made;
    QListWidget* m_lists = nullptr;
    QSpinBox* m_firstEntry = nullptr;
    QTableWidget* m_preview = nullptr;
    QLabel* m_note = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace zev
