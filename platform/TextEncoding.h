#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// Strict UTF-8: nothing when the bytes are not valid UTF-8.
std::optional<QString> decodeUtf8(const QByteArray &bytes);
// ISO Latin-1 always succeeds: every byte is one character.
QString decodeLatin1(const QByteArray &bytes);
// UTF-8 when the bytes are valid UTF-8, else Latin-1.
QString decodeUtf8OrLatin1(const QByteArray &bytes);

// Percent-escapes every character that may not stand in a URL, from its UTF-8 bytes.
// Characters allowed unescaped: ASCII letters and digits and  ! $ & ' ( ) * + , - . / : ; = ? @ _ ~
// minus those listed in `alsoEscape`.
QString percentEscaped(QStringView text, QStringView alsoEscape = {});

// Unicode canonical composition (NFC).
QString precomposed(const QString &text);

} // namespace platform
