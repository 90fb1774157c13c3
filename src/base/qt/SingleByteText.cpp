#include "base/qt/SingleByteText.h"

#include <QList>
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
    QStringEncoder encoder(kCodePage);
    std::string bytes;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint code : codePoints) {
        const auto c = static_cast<char32_t>(code);
        if (c < 0x80) {
            bytes += static_cast<char>(c);
            continue;
        }
        const QString one = QString::fromUcs4(&c, 1);
        const QByteArray raw = encoder.isValid() ? QByteArray(encoder.encode(one)) : one.toLatin1();
        // The encoder marks a character it cannot map with the control byte 0x1A.
        const bool mapped =
            raw.size() == 1 && raw.at(0) != '\x1a' && (encoder.isValid() || c <= 0xFF);
        bytes += mapped ? raw.at(0) : '?';
    }
    return bytes;
}

} // namespace quillet
