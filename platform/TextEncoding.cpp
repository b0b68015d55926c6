#include "platform/TextEncoding.h"

#include <QStringDecoder>

#include <cstring>

namespace platform {

std::optional<QString> decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString decodeLatin1(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

QString decodeUtf8OrLatin1(const QByteArray &bytes)
{
    if (auto text = decodeUtf8(bytes))
        return *std::move(text);
    return decodeLatin1(bytes);
}

QString percentEscaped(QStringView text, QStringView alsoEscape)
{
    static constexpr char allowedPunctuation[] = "!$&'()*+,-./:;=?@_~";
    static constexpr char hex[] = "0123456789ABCDEF";
    const QByteArray utf8 = text.toUtf8();
    QString escaped;
    escaped.reserve(utf8.size());
    for (const char byte : utf8) {
        const auto c = static_cast<unsigned char>(byte);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') ||
                           (c < 0x80 && c != 0 && std::strchr(allowedPunctuation, c));
        if (plain && !alsoEscape.contains(QLatin1Char(char(c)))) {
            escaped.append(QLatin1Char(char(c)));
        } else {
            escaped.append(u'%');
            escaped.append(QLatin1Char(hex[c >> 4]));
            escaped.append(QLatin1Char(hex[c & 0xF]));
        }
    }
    return escaped;
}

QString precomposed(const QString &text)
{
    return text.normalized(QString::NormalizationForm_C);
}

} // namespace platform
