#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace platform {

// A forward-moving scanner over one text, with the rules every page walk relies on:
// - each scan first skips white space and line breaks at the cursor;
// - markers are found without regard to letter case;
// - a scan leaves the cursor at the start of the marker (the marker is not consumed), or at
//   the end of the text when the marker does not occur;
// - a capture yields the characters passed over after the skipped white space, and nothing
//   when it passed over none;
// - advancing never passes the end; "at end" ignores trailing white space.
class SearchShadow;

class Cursor
{
public:
    explicit Cursor(QString text = {});
    // Over a text prepared for many searches (see SearchShadow).
    Cursor(QString text, std::shared_ptr<const SearchShadow> shadow);

    // Moves to the next occurrence of `marker`; true when characters were passed over.
    bool scanUpTo(QStringView marker);
    // As scanUpTo, yielding what was passed over.
    std::optional<QString> captureUpTo(QStringView marker);
    void advance(qsizetype count);
    bool atEnd() const;
    void rewind() { m_position = 0; }

    qsizetype position() const { return m_position; }
    void setPosition(qsizetype position);
    const QString &text() const { return m_text; }

private:
    qsizetype skipWhiteSpace(qsizetype from) const;
    // Start and end of the stretch passed over; empty when nothing was.
    std::pair<qsizetype, qsizetype> moveTo(QStringView marker);

    QString m_text;
    std::shared_ptr<const SearchShadow> m_shadow;
    qsizetype m_position = 0;
};

// The white space and line-break set of the scanner (Unicode separators, the C0 controls
// TAB to CR, NEXT LINE); no-break space belongs to it.
bool isWhiteSpaceOrNewline(QChar c);

} // namespace platform
