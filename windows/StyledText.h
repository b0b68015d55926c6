#pragma once

#include <QList>
#include <QString>

// The styles of the text window; each stands for one font (see MyTextWindowController).
enum class TextStyle : quint8 {
    Regular,
    Heading,
    Bold,
    Italic
};

// A stretch of text in one style.
struct StyledRun
{
    qsizetype start = 0;
    qsizetype length = 0;
    TextStyle style = TextStyle::Regular;

    friend bool operator==(const StyledRun &, const StyledRun &) = default;
};

// Text with a style for every character, built by appending.
class StyledText
{
public:
    StyledText() = default;
    StyledText(const QString &text, TextStyle style);
    // `styles` holds one style per character of `text`.
    StyledText(QString text, QList<TextStyle> styles);

    void append(const QString &text, TextStyle style);
    void append(const StyledText &other);

    const QString &text() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }
    // The text cut into runs of one style each, in order, covering all of it.
    QList<StyledRun> runs() const;

private:
    QString m_text;
    QList<TextStyle> m_styles;
};

// The lower-case name of a style as hosts show it: "regular", "heading", "bold", "italic".
QString styleName(TextStyle style);
