#include "platform/Cursor.h"

#include "platform/SearchShadow.h"
#include "platform/TextSearch.h"

namespace platform {

bool isWhiteSpaceOrNewline(QChar c)
{
    // QChar::isSpace covers the Separator categories plus U+0009..U+000D and U+0085.
    return c.isSpace();
}

Cursor::Cursor(QString text) : m_text(std::move(text)) {}

Cursor::Cursor(QString text, std::shared_ptr<const SearchShadow> shadow)
    : m_text(std::move(text)), m_shadow(std::move(shadow))
{}

qsizetype Cursor::skipWhiteSpace(qsizetype from) const
{
    const qsizetype size = m_text.size();
    const QChar *data = m_text.constData();
    while (from < size && isWhiteSpaceOrNewline(data[from]))
        ++from;
    return from;
}

std::pair<qsizetype, qsizetype> Cursor::moveTo(QStringView marker)
{
    const qsizetype start = skipWhiteSpace(m_position);
    qsizetype found = m_shadow ? findIgnoringCase(m_text, *m_shadow, marker, start)
                               : findIgnoringCase(m_text, marker, start);
    if (found < 0)
        found = m_text.size();
    m_position = found;
    return {start, found};
}

bool Cursor::scanUpTo(QStringView marker)
{
    const auto [start, end] = moveTo(marker);
    return end > start;
}

std::optional<QString> Cursor::captureUpTo(QStringView marker)
{
    const auto [start, end] = moveTo(marker);
    if (end <= start)
        return std::nullopt;
    return m_text.mid(start, end - start);
}

void Cursor::advance(qsizetype count)
{
    if (count <= 0)
        return;
    m_position = std::min(m_text.size(), m_position + count);
}

bool Cursor::atEnd() const
{
    return skipWhiteSpace(m_position) >= m_text.size();
}

void Cursor::setPosition(qsizetype position)
{
    m_position = std::clamp<qsizetype>(position, 0, m_text.size());
}

} // namespace platform
