#include "channellist.h"

#include "errorbox.h"
#include "planmodel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace zev {

namespace {

// Rows listed in a box; the rest are behind its details button.
constexpr int ListedRows = 20;

// The rows' remarks for a box: the first rows in its text, every one in its details.
void listRows(QMessageBox& box, const QString& lead, const QList<csv::RowNote>& rows) {
    const QString shown = csv::describe(rows.mid(0, ListedRows));
    QString text = lead + QStringLiteral("\n\n") + shown;
    if (rows.size() > ListedRows) {
        text += QLatin1Char('\n') +
                QCoreApplication::translate("zev::ChannelList", "… and %1 more rows")
                    .arg(rows.size() - ListedRows);
        box.setDetailedText(csv::describe(rows));
    }
    box.setText(text);
}

} // namespace

std::optional<bool> askRenumber(QWidget* parent, const QString& path, bool renumber) {
    QMessageBox box(QMessageBox::Question,
                    QCoreApplication::translate("zev::ChannelList", "Import CSV"),
                    QCoreApplication::translate(
                        "zev::ChannelList",
                        "Import the channel list %1?\nThe channel table then holds the list's "
                        "channels only; the function options stay as they are.")
                        .arg(QFileInfo(path).fileName()),
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("ImportCsvBox"));
    box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("zev::ChannelList", "Import"));
    auto* check =
        new QCheckBox(QCoreApplication::translate(
                          "zev::ChannelList", "Renumber: the first 16 rows with a frequency become "
                                              "channels 1 to 16"),
                      &box);
    check->setObjectName(QStringLiteral("RenumberCheck"));
    check->setChecked(renumber);
    box.setCheckBox(check);
    if (box.exec() != QMessageBox::Ok)
        return std::nullopt;
    return check->isChecked();
}

std::optional<csv::Imported> acceptedRows(QWidget* parent, const Result<csv::Imported>& imported) {
    if (!imported) {
        showErrorBox(parent, imported.message());
        return std::nullopt;
    }
    if (!csv::givesChannels(imported.value())) {
        QString message = QCoreApplication::translate(
            "zev::ChannelList", "The channel list has no row the radio can hold; nothing changed.");
        if (!imported->problems.isEmpty())
            message += QStringLiteral("\n\n") + csv::describe(imported->problems);
        showErrorBox(parent, message);
        return std::nullopt;
    }
    if (imported->problems.isEmpty())
        return imported.value();

    QMessageBox box(QMessageBox::Warning, programTitle(), QString(),
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("ListProblemsBox"));
    listRows(
        box,
        QCoreApplication::translate("zev::ChannelList", "These rows cannot go into the radio:"),
        imported->problems);
    if (!imported->notes.isEmpty())
        box.setText(box.text() + QStringLiteral("\n\n") +
                    QCoreApplication::translate("zev::ChannelList", "Notes:") + QLatin1Char('\n') +
                    csv::describe(imported->notes.mid(0, ListedRows)));
    box.button(QMessageBox::Ok)
        ->setText(QCoreApplication::translate("zev::ChannelList", "Import the other rows"));
    box.setDefaultButton(QMessageBox::Cancel);
    if (box.exec() != QMessageBox::Ok)
        return std::nullopt;
    csv::Imported taken = imported.value();
    taken.notes.clear(); // shown already
    return taken;
}

void showNotes(QWidget* parent, const csv::Imported& imported) {
    if (imported.notes.isEmpty())
        return;
    QMessageBox box(QMessageBox::Information, programTitle(), QString(), QMessageBox::Ok, parent);
    listRows(box, QCoreApplication::translate("zev::ChannelList", "Taken with a change:"),
             imported.notes);
    box.exec();
}

} // namespace zev
