#pragma once

#include <QString>
#include <QStringBuilder>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

namespace platform {
class SearchShadow;
}

// A text that may be null, with the framework's text operations.
//
// Every parser is a chain of marker searches in which a missing marker yields null and each
// later step on a null yields null again. Text makes that rule explicit: an operation on a
// null Text returns a null Text, false, 0 or an empty list, so a chain needs no checks
// between its steps. A null Text and an empty one are different: only the first is "not
// found".
class Text
{
public:
    Text() = default;
    Text(std::nullopt_t) {}
    Text(const QString &text) : m_text(text) {}
    Text(QString &&text) : m_text(std::move(text)) {}
    Text(const char16_t *text) : m_text(QString::fromUtf16(text)) {}
    Text(std::optional<QString> text) : m_text(std::move(text)) {}

    // A text value stored in a dictionary; anything else (absent, a number, a list) is null.
    static Text fromVariant(const QVariant &value);

    // The same text, prepared for many searches over it (a whole page): its searches run on a
    // shadow copy twice as fast. Texts cut from it are plain texts again.
    Text preparedForSearches() const;
    const std::shared_ptr<const platform::SearchShadow> &searchShadow() const { return m_shadow; }

    bool isNull() const { return !m_text.has_value(); }
    // The text itself; empty for a null Text.
    const QString &string() const;
    const std::optional<QString> &optional() const { return m_text; }
    // A null QVariant for a null Text, so that storing it removes a record key.
    QVariant toVariant() const;

    qsizetype length() const { return m_text ? m_text->size() : 0; }
    bool isNotEmpty() const { return length() > 0; }
    bool isEqualToString(const Text &other) const;
    bool contains(QStringView marker) const;
    bool hasPrefix(QStringView prefix) const;
    bool hasSuffix(QStringView suffix) const;
    // Index of the first occurrence at or after `from`, or -1 (also for a null Text).
    qsizetype indexOf(QStringView marker, qsizetype from = 0) const;

    Text substringFromIndex(qsizetype index) const;
    Text substringToIndex(qsizetype index) const;
    // The text before the first occurrence of `marker`; the whole text when it has none.
    Text cutBefore(QStringView marker) const;
    // The text after the first occurrence of `marker`; null when it has none.
    Text after(QStringView marker) const;
    Text replacing(QStringView target, QStringView replacement) const;
    Text trimmed() const;
    Text lowercaseString() const;

    // The text between the first occurrence of `start` and the next occurrence of `end`
    // after it. Null when `start` is missing; the rest of the text when only `end` is.
    Text stringBetween(QStringView start, QStringView end) const;
    // As above, the search for `start` beginning at the first occurrence of `from`; null when
    // `from` is missing.
    Text stringBetween(QStringView start, QStringView end, QStringView from) const;
    // Every such text, in order, each search for `start` resuming at the previous `end`.
    // With one marker as both, the pieces between consecutive occurrences, the last running
    // to the end of the text.
    QStringList stringsBetween(QStringView start, QStringView end) const;

    // Tags removed, character references decoded, white space folded and trimmed.
    Text stringByCleaningHTML() const;
    // Line breaks (with the white space around them) made single spaces.
    Text stringByRemovingNewLines() const;
    // The JSON value of the text (map, list, text, number); a null QVariant when not JSON.
    QVariant JSONValue() const;

    int intValue() const;
    qint64 integerValue() const;

    // Exact equality, a null Text equal only to a null Text. For comparisons with the
    // framework's semantics, where null equals nothing, use isEqualToString.
    friend bool operator==(const Text &a, const Text &b) { return a.m_text == b.m_text; }

private:
    qsizetype find(QStringView marker, qsizetype from) const;
    Text betweenFrom(qsizetype origin, QStringView start, QStringView end) const;

    std::optional<QString> m_text;
    std::shared_ptr<const platform::SearchShadow> m_shadow;
};

Q_DECLARE_METATYPE(Text)
