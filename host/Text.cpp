#include "host/Text.h"

#include "host/HtmlText.h"
#include "platform/NumberReading.h"
#include "platform/SearchShadow.h"
#include "platform/TextSearch.h"

#include <QJsonDocument>

Text Text::preparedForSearches() const
{
    Text prepared = *this;
    if (m_text && !m_shadow)
        prepared.m_shadow = platform::SearchShadow::makeFor(*m_text);
    return prepared;
}

// Only called on a non-null text.
qsizetype Text::find(QStringView marker, qsizetype from) const
{
    if (m_shadow)
        return platform::findExact(*m_text, *m_shadow, marker, from);
    return platform::findExact(*m_text, marker, from);
}

Text Text::fromVariant(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    return {};
}

const QString &Text::string() const
{
    static const QString empty;
    return m_text ? *m_text : empty;
}

QVariant Text::toVariant() const
{
    return m_text ? QVariant(*m_text) : QVariant();
}

bool Text::isEqualToString(const Text &other) const
{
    return m_text && other.m_text && *m_text == *other.m_text;
}

bool Text::contains(QStringView marker) const
{
    return indexOf(marker) >= 0;
}

bool Text::hasPrefix(QStringView prefix) const
{
    return m_text && m_text->startsWith(prefix);
}

bool Text::hasSuffix(QStringView suffix) const
{
    return m_text && m_text->endsWith(suffix);
}

qsizetype Text::indexOf(QStringView marker, qsizetype from) const
{
    return m_text ? find(marker, from) : -1;
}

Text Text::substringFromIndex(qsizetype index) const
{
    if (!m_text)
        return {};
    return m_text->mid(std::clamp<qsizetype>(index, 0, m_text->size()));
}

Text Text::substringToIndex(qsizetype index) const
{
    if (!m_text)
        return {};
    return m_text->left(std::clamp<qsizetype>(index, 0, m_text->size()));
}

Text Text::cutBefore(QStringView marker) const
{
    const qsizetype at = indexOf(marker);
    return at < 0 ? *this : substringToIndex(at);
}

Text Text::after(QStringView marker) const
{
    const qsizetype at = indexOf(marker);
    return at < 0 ? Text() : substringFromIndex(at + marker.size());
}

Text Text::replacing(QStringView target, QStringView replacement) const
{
    if (!m_text || target.isEmpty())
        return *this;
    QString copy = *m_text;
    copy.replace(target.toString(), replacement.toString());
    return copy;
}

Text Text::trimmed() const
{
    return m_text ? Text(m_text->trimmed()) : Text();
}

Text Text::lowercaseString() const
{
    return m_text ? Text(m_text->toLower()) : Text();
}

Text Text::stringBetween(QStringView start, QStringView end) const
{
    return m_text ? betweenFrom(0, start, end) : Text();
}

Text Text::stringBetween(QStringView start, QStringView end, QStringView from) const
{
    if (!m_text)
        return {};
    const qsizetype origin = find(from, 0);
    return origin < 0 ? Text() : betweenFrom(origin, start, end);
}

// Only called on a non-null text.
Text Text::betweenFrom(qsizetype origin, QStringView start, QStringView end) const
{
    const qsizetype at = find(start, origin);
    if (at < 0)
        return {};
    const qsizetype contentStart = at + start.size();
    const qsizetype contentEnd = find(end, contentStart);
    if (contentEnd < 0)
        return m_text->mid(contentStart);
    return m_text->mid(contentStart, contentEnd - contentStart);
}

QStringList Text::stringsBetween(QStringView start, QStringView end) const
{
    QStringList pieces;
    if (!m_text || start.isEmpty())
        return pieces;
    const QString &text = *m_text;
    qsizetype position = 0;
    while (true) {
        const qsizetype at = find(start, position);
        if (at < 0)
            break;
        const qsizetype contentStart = at + start.size();
        const qsizetype contentEnd = find(end, contentStart);
        if (contentEnd < 0) {
            pieces.append(text.mid(contentStart));
            break;
        }
        pieces.append(text.mid(contentStart, contentEnd - contentStart));
        // The next start marker is searched from the end marker: with one marker as both,
        // each occurrence ends one piece and begins the next.
        position = contentEnd;
    }
    return pieces;
}

Text Text::stringByCleaningHTML() const
{
    return m_text ? Text(host::cleanHtml(*m_text)) : Text();
}

Text Text::stringByRemovingNewLines() const
{
    return m_text ? Text(host::removeNewLines(*m_text)) : Text();
}

QVariant Text::JSONValue() const
{
    if (!m_text)
        return {};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(m_text->toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        return {};
    return document.toVariant();
}

int Text::intValue() const
{
    return m_text ? platform::intValue(*m_text) : 0;
}

qint64 Text::integerValue() const
{
    return m_text ? platform::integerValue(*m_text) : 0;
}
