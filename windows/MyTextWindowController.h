#pragma once

#include "host/Text.h"
#include "windows/StyledText.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QVariantList>

#include <memory>
#include <optional>

class QProgressBar;
class QTextEdit;
class QWidget;

// The text window shared by the goofs, quotes, soundtrack and trivia commands: the selected
// movie's page of that kind as styled text. The window shows the last kind asked for and
// keeps a frame of its own for each kind.
class MyTextWindowController : public QObject
{
    Q_OBJECT
    // What the window shows, for hosts that print it.
    Q_PROPERTY(QString title READ windowTitle)
    Q_PROPERTY(QString text READ text)
    // Each run not in the regular style: {"start", "length", "style"} with the style
    // "heading", "bold" or "italic"; positions count UTF-16 code units of the text.
    Q_PROPERTY(QVariantList runs READ styledRuns)

public:
    // The window comes from "TextWindow.nib" in the plug-in's Resources folder, or in
    // `resourceDirectory`.
    MyTextWindowController();
    explicit MyTextWindowController(const QString &resourceDirectory);
    ~MyTextWindowController() override;

    void showMistakesForSelection();
    void showQuotesForSelection();
    void showSoundTrackForSelection();
    void showTriviaForSelection();

    // Prepares and shows the window for the kind (the window's title, its frame, an empty
    // text) and finds the selected movie's title number. Null when there is none; the reason
    // is then in the window.
    Text imdbNumberAndPrepWithTitle(const QString &kind);

    // The fonts of the styles: the regular text, goof headings, speakers, stage directions.
    static QFont fontForStyle(TextStyle style);
    // The style whose font `font` is.
    static TextStyle styleOfFont(const QFont &font);

    QWidget *window() const { return m_mistakesWindow.get(); }
    QTextEdit *mainText() const;
    QProgressBar *busy() const;
    QString windowTitle() const;
    // The window's text with the style of every character, read back from the text view.
    StyledText content() const;
    QString text() const;
    QVariantList styledRuns() const;

private:
    bool loadWindow();
    void append(const StyledText &text);
    void append(const QString &text);
    // Reads a page: the text to show, or nothing for the kind's message.
    using PageReader = std::optional<StyledText> (*)(const QString &page);
    // Shows `page` of the selected movie as `read` makes it, or `emptyMessage`.
    void showPage(const QString &kind, QStringView page, PageReader read,
                  const QString &emptyMessage);

    QString m_resourceDirectory;
    std::unique_ptr<QWidget> m_mistakesWindow;
    QPointer<QTextEdit> m_mainText;
    QPointer<QProgressBar> m_busy;
    QFont m_regular;
};
