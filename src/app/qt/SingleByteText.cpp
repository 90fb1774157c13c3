#include "app/qt/SingleByteText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quillet {

namespace {
constexpr const char* kCodePage = "windows-1252";
}

QString ToQString(const std::string& bytes) {
    const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid()) {
        return QString::fromLatin1(raw);
    }
    return decoder.decode(raw);
}

std::string FromQString(const QString& text) {
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Default);
    QByteArray raw;
    if (encoder.isValid()) {
        raw = encoder.encode(text);
    } else {
        raw = text.toLatin1();
    }
    return std::string(raw.constData(), static_cast<std::size_t>(raw.size()));
}

} // namespace quillet
