#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zev {

namespace {

// Qt's catalogues the program shows texts of: widgets and dialogs, and the serial port.
constexpr const char* qtCatalogues[] = {"qtbase", "qtserialport"};

} // namespace

QString messagesFileName(const QString& packName) {
    return packName + QStringLiteral("_messages.qm");
}

Translations::Translations() = default;

Translations::~Translations() {
    remove();
}

void Translations::install(const QString& directory, Language language) {
    remove();
    if (language == Language::English)
        return;

    const QLocale locale(QLocale::Chinese, QLocale::China); // the only other language
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    std::vector<std::unique_ptr<QTranslator>> loaded;
    for (const char* catalogue : qtCatalogues) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(locale, QLatin1String(catalogue), QStringLiteral("_"), qtFolder))
            loaded.push_back(std::move(translator));
    }
    auto messages = std::make_unique<QTranslator>();
    if (messages->load(directory + messagesFileName(packName(language))))
        loaded.push_back(std::move(messages));

    for (auto& translator : loaded) {
        if (QCoreApplication::installTranslator(translator.get()))
            m_translators.push_back(std::move(translator));
    }
}

void Translations::remove() {
    for (auto& translator : m_translators)
        QCoreApplication::removeTranslator(translator.get());
    m_translators.clear();
}

} // namespace zev
