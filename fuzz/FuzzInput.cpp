#include "fuzz/FuzzInput.h"

#include "platform/TextEncoding.h"

#include <QStringList>

FuzzInput::FuzzInput(const uint8_t *data, size_t size)
    : m_bytes(reinterpret_cast<const char *>(data), qsizetype(size)), m_pieces(m_bytes.split('\0'))
{}

QString FuzzInput::wholePage() const
{
    return platform::decodeUtf8OrLatin1(m_bytes);
}

Text FuzzInput::pageAt(qsizetype index) const
{
    if (index >= m_pieces.size() || m_pieces.at(index).isEmpty())
        return {};
    return platform::decodeUtf8OrLatin1(m_pieces.at(index));
}

quint8 FuzzInput::control(qsizetype index) const
{
    return index < m_bytes.size() ? quint8(m_bytes.at(index)) : 0;
}

QString FuzzInput::controlledText() const
{
    const QByteArray rest = m_bytes.mid(controlBytes);
    if (control(0) % 2 == 0)
        return platform::decodeUtf8OrLatin1(rest);
    return QString(reinterpret_cast<const QChar *>(rest.constData()), rest.size() / 2);
}

QString FuzzInput::marker(quint8 pick, const QString &text)
{
    // The markers the page walks lean on most: short ones that occur everywhere, ones that
    // begin or end with a common character, and one long enough to leave the stack buffer
    // of a folded needle.
    static const QStringList markers = {
        QStringLiteral("<"),
        QStringLiteral(">"),
        QStringLiteral("</"),
        QStringLiteral("\""),
        QStringLiteral("\">"),
        QStringLiteral("href=\"/title/tt"),
        QStringLiteral("href=\"/name/nm"),
        QStringLiteral("class=\"soda"),
        QStringLiteral("title_award_outcome"),
        QStringLiteral("<dt>"),
        QStringLiteral("</dd>"),
        QStringLiteral("sodatext\">"),
        QStringLiteral("</div>"),
        QStringLiteral("<script type=\"application/ld+json\">"),
        QStringLiteral("=\"title-cast-item\""),
        QStringLiteral("Release Date:</h5>"),
        QStringLiteral("\u212A"),
        QStringLiteral("stra\u00DFe"),
        QString(),
        QString(200, u'k'),
    };
    if (pick < markers.size())
        return markers.at(pick);
    if (text.isEmpty())
        return QStringLiteral("a");
    const qsizetype length = 1 + pick % 11;
    const qsizetype start = qsizetype((quint64(pick) * 2654435761u) % quint64(text.size()));
    const QString piece = text.mid(start, length);
    return pick % 2 ? piece.toUpper() : piece;
}
