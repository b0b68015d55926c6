#include "windows/MyTextWindowController.h"

#include "core/IMDB.h"
#include "host/HostController.h"
#include "platform/NibLoading.h"
#include "platform/StringFormat.h"
#include "platform/SystemLog.h"
#include "platform/WindowFrames.h"
#include "platform/WindowTitles.h"
#include "windows/BusyIndicator.h"
#include "windows/SidePageFetch.h"
#include "windows/TextPages.h"
#include "windows/WindowFront.h"

#include <QFontDatabase>
#include <QProgressBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

using namespace platform;

namespace {

std::optional<StyledText> unlessEmpty(StyledText text)
{
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

QTextCharFormat formatWithFont(const QFont &font)
{
    QTextCharFormat format;
    format.setFont(font);
    return format;
}

} // namespace

MyTextWindowController::MyTextWindowController()
    : MyTextWindowController(IMDB::resourcesDirectory())
{}

MyTextWindowController::MyTextWindowController(const QString &resourceDirectory)
    : m_resourceDirectory(resourceDirectory), m_regular(fontForStyle(TextStyle::Regular))
{}

MyTextWindowController::~MyTextWindowController() = default;

QFont MyTextWindowController::fontForStyle(TextStyle style)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    switch (style) {
    case TextStyle::Regular:
        font.setPointSize(14);
        break;
    case TextStyle::Heading:
        font.setPointSize(11);
        font.setBold(true);
        break;
    case TextStyle::Bold:
        font.setPointSize(13);
        font.setBold(true);
        break;
    case TextStyle::Italic:
        font.setPointSize(13);
        font.setItalic(true);
        break;
    }
    return font;
}

TextStyle MyTextWindowController::styleOfFont(const QFont &font)
{
    if (font.italic())
        return TextStyle::Italic;
    if (font.bold())
        return font.pointSize() == fontForStyle(TextStyle::Heading).pointSize() ? TextStyle::Heading
                                                                                : TextStyle::Bold;
    return TextStyle::Regular;
}

bool MyTextWindowController::loadWindow()
{
    m_mistakesWindow.reset(loadNibNamed(QStringLiteral("TextWindow.nib"), m_resourceDirectory));
    if (!m_mistakesWindow)
        return false;
    m_mainText = m_mistakesWindow->findChild<QTextEdit *>(QStringLiteral("mainText"));
    m_busy = m_mistakesWindow->findChild<QProgressBar *>(QStringLiteral("busy"));
    return true;
}

Text MyTextWindowController::imdbNumberAndPrepWithTitle(const QString &kind)
{
    HostController *host = host::applicationDelegate();
    CatalogueEntry *entry = host ? host->selectedEntry() : nullptr;
    if (!m_mistakesWindow && !loadWindow())
        systemLog(QStringLiteral("TextWindow.nib Failed"));

    // Each kind keeps its own size and place.
    const QString frameName = kind + u"Panel";
    setFrameAutosaveName(m_mistakesWindow.get(), frameName);
    setFrameUsingName(m_mistakesWindow.get(), frameName);
    setPlainWindowTitle(
        m_mistakesWindow.get(),
        stringWithFormat(
            u"Movie %@ for: %@",
            {kind.toLower(), host::entryText(entry, QStringLiteral("title")).string()}));
    if (m_mainText)
        m_mainText->clear();
    // The emptied window shows before the fetch holds the main thread.
    bringToFront(m_mistakesWindow.get());
    if (m_mistakesWindow)
        m_mistakesWindow->repaint();

    QString message;
    if (entry) {
        startAnimation(m_busy);
        Text stored = host::entryText(entry, QStringLiteral("imdb"));
        if (stored.isNotEmpty())
            return stored;
        Text found = IMDB::getIMDBNumberForEntry(entry);
        if (!found.isNull())
            return found;
        message = stringWithFormat(u"No %@.", {kind});
    } else {
        message = stringWithFormat(u"Please select a movie before running %@.", {kind});
    }
    append(message);
    return {};
}

void MyTextWindowController::showPage(const QString &kind, QStringView page, PageReader read,
                                      const QString &emptyMessage)
{
    const Text number = imdbNumberAndPrepWithTitle(kind);
    if (number.isNull()) {
        stopAnimation(m_busy);
        return;
    }
    const std::optional<StyledText> text = read(fetchSidePage(number.string(), page));
    QTextCursor batch;
    if (m_mainText)
        batch = QTextCursor(m_mainText->document());
    batch.beginEditBlock();
    if (text)
        append(*text);
    else
        append(emptyMessage);
    batch.endEditBlock();
    stopAnimation(m_busy);
}

void MyTextWindowController::showMistakesForSelection()
{
    showPage(QStringLiteral("Goofs"), u"goofs", goofsFromPage, QStringLiteral("No goofs."));
}

void MyTextWindowController::showQuotesForSelection()
{
    showPage(
        QStringLiteral("Quotes"), u"quotes",
        [](const QString &page) { return unlessEmpty(quotesFromPage(page)); },
        QStringLiteral("No quotes available."));
}

void MyTextWindowController::showSoundTrackForSelection()
{
    showPage(
        QStringLiteral("SoundTrack"), u"soundtrack",
        [](const QString &page) { return unlessEmpty(soundtrackFromPage(page)); },
        QStringLiteral("No soundtrack avaiable."));
}

void MyTextWindowController::showTriviaForSelection()
{
    showPage(
        QStringLiteral("Trivia"), u"trivia",
        [](const QString &page) { return unlessEmpty(triviaFromPage(page)); },
        QStringLiteral("No trivia available."));
}

void MyTextWindowController::append(const StyledText &text)
{
    if (!m_mainText)
        return;
    QTextCursor cursor(m_mainText->document());
    cursor.movePosition(QTextCursor::End);
    for (const StyledRun &run : text.runs()) {
        // Plain-text insertion: nothing from a page is read as markup.
        cursor.insertText(
            text.text().mid(run.start, run.length),
            formatWithFont(run.style == TextStyle::Regular ? m_regular : fontForStyle(run.style)));
    }
}

void MyTextWindowController::append(const QString &text)
{
    append(StyledText(text, TextStyle::Regular));
}

QString MyTextWindowController::windowTitle() const
{
    return plainWindowTitle(m_mistakesWindow.get());
}

StyledText MyTextWindowController::content() const
{
    StyledText content;
    if (!m_mainText)
        return content;
    const QTextDocument *document = m_mainText->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // A block's own character format is that of the line break that begins it.
        if (block != document->begin())
            content.append(QStringLiteral("\n"), styleOfFont(block.charFormat().font()));
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            content.append(fragment.fragment().text(),
                           styleOfFont(fragment.fragment().charFormat().font()));
        }
    }
    return content;
}

QString MyTextWindowController::text() const
{
    return content().text();
}

QVariantList MyTextWindowController::styledRuns() const
{
    QVariantList runs;
    for (const StyledRun &run : content().runs()) {
        if (run.style == TextStyle::Regular)
            continue;
        runs.append(QVariantMap{{QStringLiteral("start"), run.start},
                                {QStringLiteral("length"), run.length},
                                {QStringLiteral("style"), styleName(run.style)}});
    }
    return runs;
}

QTextEdit *MyTextWindowController::mainText() const
{
    return m_mainText;
}

QProgressBar *MyTextWindowController::busy() const
{
    return m_busy;
}
