#pragma once

#include <QString>
#include <QStringView>

namespace host {

// The plain text of an HTML fragment, in one pass:
// - tags and comments are removed, and the content of script and style elements with them;
//   a '<' that cannot open a tag stays as it is, and a tag cut off by the end is dropped;
// - every character reference is decoded: all named references of the HTML standard (with
//   their semicolon, and the legacy ones without), decimal and hexadecimal ones;
// - runs of HTML white space become one space, or one line break when the run holds a line
//   break or a tag that breaks lines (br, p, div, li, tr, headings and the like);
// - white space at both ends is dropped.
// White space that comes from a character reference (&nbsp;) is kept as it is.
QString cleanHtml(QStringView html);

// The text with each line break, and the white space around it, made one space; white
// space at both ends dropped.
QString removeNewLines(QStringView text);

// Decodes the character reference that starts at `at` (which holds '&'). On success appends
// the decoded characters to `out` and returns the length consumed; returns 0 when no
// reference starts there.
qsizetype decodeCharacterReference(QStringView text, qsizetype at, QString &out);

} // namespace host
