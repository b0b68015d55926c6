#include "windows/StyledText.h"

StyledText::StyledText(const QString &text, TextStyle style)
{
    append(text, style);
}

StyledText::StyledText(QString text, QList<TextStyle> styles)
    : m_text(std::move(text)), m_styles(std::move(styles))
{
    Q_ASSERT(m_text.size() == m_styles.size());
}

void StyledText::append(const QString &text, TextStyle style)
{
    m_text.append(text);
    m_styles.insert(m_styles.size(), text.size(), style);
}

void StyledText::append(const StyledText &other)
{
    m_text.append(other.m_text);
    m_styles.append(other.m_styles);
}

QList<StyledRun> StyledText::runs() const
{
    QList<StyledRun> runs;
    for (qsizetype i = 0; i < m_styles.size(); ++i) {
        if (runs.isEmpty() || runs.last().style != m_styles.at(i))
            runs.append({i, 0, m_styles.at(i)});
        ++runs.last().length;
    }
    return runs;
}

QString styleName(TextStyle style)
{
    switch (style) {
    case TextStyle::Regular:
        return QStringLiteral("regular");
    case TextStyle::Heading:
        return QStringLiteral("heading");
    case TextStyle::Bold:
        return QStringLiteral("bold");
    case TextStyle::Italic:
        return QStringLiteral("italic");
    }
    return {};
}
