#include "app/languagepack.h"

#include <QFile>
#include <QStringEncoder>
#include <QTranslator>

namespace zev {

namespace {

constexpr int MaxTextBytes = 253;
constexpr qint64 MaxPackBytes = 16 * 1024 * 1024; // a pack holds 81 short texts

// Keeps as much of the text as fits in MaxTextBytes of the GBK code page, whole characters only.
QString limitTextBytes(const QString& text) {
    if (text.size() <= MaxTextBytes / 2)
        return text; // GBK needs at most two bytes a character
    QStringEncoder encoder("GBK");
    qsizetype bytes = 0;
    qsizetype cut = 0;
    while (cut < text.size()) {
        const qsizetype length = text.at(cut).isHighSurrogate() && cut + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).mid(cut, length);
        const qsizetype size = encoder.isValid() ? QByteArray(encoder.encode(character)).size()
                                                 : character.toUtf8().size();
        if (bytes + size > MaxTextBytes)
            break;
        bytes += size;
        cut += length;
    }
    return text.left(cut);
}

} // namespace

QString packFileName(const QString& name) {
    return name + QStringLiteral(".qm");
}

std::optional<LanguagePack> LanguagePack::load(const QString& directory, const QString& name) {
    QFile file(directory + packFileName(name));
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxPackBytes)
        return std::nullopt;
    const QByteArray data = file.readAll();
    QTranslator translator;
    if (data.isEmpty() ||
        !translator.load(reinterpret_cast<const uchar*>(data.constData()), int(data.size())))
        return std::nullopt;

    LanguagePack pack;
    for (int id = TextId::First; id <= TextId::Last; ++id) {
        QString text = translator.translate(nullptr, QByteArray::number(id).constData());
        if (text.isNull())
            continue;
        const qsizetype nul = text.indexOf(QChar(0));
        if (nul >= 0)
            text.truncate(nul);
        pack.m_texts[id] = limitTextBytes(text);
    }
    return pack;
}

QString LanguagePack::text(int id) const {
    if (id < TextId::First || id > TextId::Last)
        return QString();
    return m_texts[id];
}

} // namespace zev
