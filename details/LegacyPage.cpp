#include "details/LegacyPage.h"

#include "details/Certificates.h"
#include "details/Credits.h"
#include "details/ListCollection.h"
#include "details/NameLinks.h"
#include "details/PageRequests.h"
#include "details/Ratings.h"
#include "details/SectionScan.h"
#include "details/TitleRecord.h"
#include "host/HostController.h"
#include "host/RecordOperations.h"
#include "platform/Cursor.h"
#include "platform/NaturalDates.h"
#include "platform/NumberReading.h"
#include "platform/SiteConfig.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"

namespace details {
namespace {

// The poster address with its width and height fields ("_SX94_", "_SY140_") asking for the
// largest picture the host has.
QString enlargedPoster(QString url)
{
    for (QStringView field : {u"_SX", u"_SY"}) {
        const qsizetype at = url.indexOf(field);
        if (at < 0)
            continue;
        const qsizetype start = at + field.size();
        const qsizetype end = url.indexOf(u'_', start);
        if (end >= 0)
            url.replace(start, end - start, QStringLiteral("1000"));
    }
    return url;
}

// One pass over an older-layout title page. Every step continues from where the last
// successful one left the cursor, and rewinds when its section is missing, so the sections
// are found in the order the page gives them.
class LegacyParser
{
public:
    LegacyParser(const Text &page, QString titleNumber, TitleRecord &record,
                 FieldsController *fields, const PlotSummaryLoader &plotSummary)
        : m_scanner(page.string())
        , m_titleNumber(std::move(titleNumber))
        , m_record(record)
        , m_fields(fields)
        , m_plotSummary(plotSummary)
    {}

    void run()
    {
        addPoster();
        addHeadingTitle();
        addYear();
        addOriginalTitle();
        addReleaseDate();
        addRatingAndVotes();
        addOwnVote();
        addDirector();
        addWriter();
        addGenres();
        addTagline();
        addPlotSummary();
        addAwards();
        addCast();
        addCertificate();
        addRunningTime();
        addCountries();
        addLanguages();
        addAspectRatio();
        addSoundMix();
        addCompany();
    }

private:
    void addPoster()
    {
        namespace site = platform::site;
        const QString prefix = site::legacyImagePrefix();
        m_scanner.scanUpTo(u"name=\"poster");
        m_scanner.scanUpTo(prefix);
        const Text url = m_scanner.captureUpTo(u"\"");
        if (!url.hasPrefix(prefix) ||
            !(url.contains(site::legacyImageDomainFragment()) || url.contains(u"/media/"))) {
            m_scanner.rewind();
            return;
        }
        QStringList images = m_record.imageLocations();
        images.append(url.string());
        if (url.contains(u"_SX"))
            images.prepend(enlargedPoster(url.string()));
        m_record.setImageLocations(images);
    }

    void addHeadingTitle()
    {
        Text title = scanSection(m_scanner, {u"tn15title\">", u"h1>"}, u"<");
        if (title.isNull())
            return;
        title = title.stringByCleaningHTML();
        // A series' heading stands in quotation marks.
        if (title.length() >= 2 && title.hasPrefix(u"\"") && title.hasSuffix(u"\""))
            title = title.string().mid(1, title.length() - 2);
        m_record.set(recordkey::title, title);
        m_record.set(recordkey::originalTitle, title);
    }

    void addYear()
    {
        Text year = scanSection(m_scanner, {u"\"/year/"}, u"\">");
        if (year.isNull())
            return;
        if (year.hasSuffix(u"/"))
            year = year.substringToIndex(year.length() - 1);
        if (const std::optional<QDate> date = platform::dateFromNaturalLanguage(year.string()))
            m_record.set(recordkey::theatrical, host::dateAtBeginningOfYear(*date));
    }

    void addOriginalTitle()
    {
        m_scanner.scanUpTo(u"title-extra\">");
        m_scanner.scanUpTo(u">");
        const Text capture = m_scanner.captureUpTo(u"<");
        // An empty title-extra span yields the ">" alone.
        if (!capture.hasPrefix(u">") || capture.length() < 3) {
            m_scanner.rewind();
            return;
        }
        m_record.set(recordkey::originalTitle,
                     capture.substringFromIndex(1).stringByCleaningHTML());
    }

    // The full date replaces the year's first day when it falls in that year; a release in
    // another year (a re-release, a festival) leaves the year alone.
    void addReleaseDate()
    {
        const Text release = scanSection(m_scanner, {u"Release Date:</h5>", u">"});
        const Text dateText = release.cutBefore(u"<a ").cutBefore(u"(").stringByCleaningHTML();
        if (!dateText.isNull()) {
            if (const std::optional<QDate> date =
                    platform::dateFromNaturalLanguage(dateText.string())) {
                const QVariant theatrical = m_record.value(recordkey::theatrical);
                const bool holdsNothing = !theatrical.isValid() || theatrical.isNull();
                const bool sameYear = theatrical.typeId() == QMetaType::QDate &&
                                      theatrical.toDate().year() == date->year();
                if (holdsNothing || sameYear)
                    m_record.set(recordkey::theatrical, *date);
            }
        }
        m_scanner.rewind();
    }

    struct RatingCapture
    {
        Text rating;
        Text votes;
    };

    RatingCapture captureRating(QStringView block)
    {
        RatingCapture found;
        m_scanner.scanUpTo(block);
        m_scanner.scanUpTo(u"<b>");
        found.rating = m_scanner.captureUpTo(u"/");
        m_scanner.scanUpTo(u"\">");
        found.votes = m_scanner.captureUpTo(u" votes");
        return found;
    }

    void addRatingAndVotes()
    {
        RatingCapture found = captureRating(u"\"starbar-meta\"");
        if (found.rating.isNull()) {
            m_scanner.rewind();
            found = captureRating(u"\"general rating\"");
        }
        if (!found.rating.hasPrefix(u"<b>"))
            return;
        Text rating = found.rating.substringFromIndex(3);
        if (rating.intValue() == 0)
            return;
        if (found.votes.hasPrefix(u"\">")) {
            const Text votes = found.votes.substringFromIndex(2);
            if (votes.intValue() != 0) {
                const std::optional<QString> votesKey =
                    m_fields ? m_fields->customFieldWithTitle(votesFieldTitle) : std::nullopt;
                if (votesKey)
                    m_record.set(*votesKey, votes);
                else
                    rating = ratingWithVotes(rating.string(), votes.string());
            }
        }
        m_record.set(recordkey::rating, rating);
    }

    void addOwnVote()
    {
        if (platform::UserDefaults::boolForKey(prefs::disablePersonalRating))
            return;
        m_scanner.rewind();
        const Text vote = scanSection(m_scanner, {u"\"voteuser\">", u">"}, u"<");
        const int stars = vote.intValue();
        // The record holds a rating of one to ten stars; anything else (a negative number
        // would wrap round as an unsigned one) is not a vote.
        if (stars >= 1 && stars <= 10)
            m_record.set(recordkey::myRating, QVariant(uint(stars)));
    }

    void addDirector()
    {
        m_scanner.rewind();
        m_scanner.scanUpTo(u"h5>Director");
        const Text block = m_scanner.captureUpTo(u"</div>");
        if (block.isNull()) {
            m_scanner.rewind();
            return;
        }
        const Text names = legacyNameList(block);
        if (names.isNotEmpty())
            m_record.set(recordkey::director, names.stringByCleaningHTML());
    }

    void addWriter()
    {
        m_scanner.scanUpTo(u"h5>Writer");
        Text block = m_scanner.captureUpTo(u"</div>");
        if (m_scanner.atEnd()) {
            // The oldest pages list the writers in a table.
            m_scanner.rewind();
            m_scanner.scanUpTo(u"/W#writer");
            if (const std::optional<QString> table = m_scanner.captureUpTo(u"</table>"))
                block = *table;
        }
        if (block.isNull()) {
            m_scanner.rewind();
            return;
        }
        const Text names = legacyNameList(block);
        if (names.isNotEmpty())
            m_record.set(recordkey::writer, names.stringByCleaningHTML());
    }

    void addGenres()
    {
        m_scanner.scanUpTo(u">Genre:<");
        const Text block = m_scanner.captureUpTo(u"</div");
        const QStringList genres = block.stringsBetween(u"/Sections/Genres/", u"/");
        if (genres.isEmpty()) {
            m_scanner.rewind();
            return;
        }
        m_record.set(recordkey::genre, Text(genres.join(u", ")).stringByCleaningHTML());
    }

    void addTagline()
    {
        if (addPlainTagline())
            return;
        const Text tagline = scanSection(m_scanner, {u"Tagline:</h5>", u"\">"}, u"<");
        if (!tagline.isNull())
            m_record.set(recordkey::tagline, tagline.stringByCleaningHTML());
    }

    // Some pages of the layout give the tagline as plain text right after its label, with no
    // element around it; the first "\">" after the label is then that of its "more" link,
    // whose text would be taken for the tagline. Such a tagline is read as it stands, and the
    // scanner goes on after it; otherwise the scanner is left where it was.
    bool addPlainTagline()
    {
        static constexpr QStringView label = u"Tagline:</h5>";
        const qsizetype start = m_scanner.position();
        m_scanner.scanUpTo(label);
        if (!m_scanner.atEnd()) {
            m_scanner.advance(label.size());
            const Text tagline = Text(m_scanner.captureUpTo(u"<")).stringByCleaningHTML();
            if (tagline.isNotEmpty()) {
                m_record.set(recordkey::tagline, tagline);
                return true;
            }
        }
        m_scanner.setPosition(start);
        return false;
    }

    // The only other page the parser reads. A summary page without the summary list
    // removes "summary"; no page at all leaves it.
    void addPlotSummary()
    {
        const Text page = m_plotSummary ? m_plotSummary(m_titleNumber) : Text();
        if (page.isNull())
            return;
        m_record.set(recordkey::summary, page.stringBetween(u"\"zebraList\"", u"</p")
                                             .stringBetween(u"plotSummary\">", u"</p")
                                             .stringByCleaningHTML());
    }

    void addAwards()
    {
        const Text awards = scanSection(m_scanner, {u"Awards:</h5>", u">"});
        if (awards.isNull())
            return;
        m_record.set(recordkey::awards, awards.cutBefore(u"<a ")
                                            .substringFromIndex(1)
                                            .replacing(u"\n", u"")
                                            .replacing(u"&amp;", u" & ")
                                            .stringByCleaningHTML());
    }

    // The title-details run starts the credits list afresh later, so this cast does not
    // reach the host; it is read all the same, for hosts that run the parser alone.
    void addCast()
    {
        m_record.set(recordkey::credits, QVariant(QVariantList()));
        m_scanner.scanUpTo(u"class=\"cast\"");
        if (const std::optional<QString> cast = m_scanner.captureUpTo(u"</table>"))
            newAddCreditsFromSection(*cast, m_record);
        m_scanner.rewind();
    }

    void addCertificate()
    {
        const Text rating = scanSection(m_scanner, {u"MPAA</a>:</h5>", u"h5>"});
        if (!rating.isNull())
            m_record.set(recordkey::rated, certificateLabel(rating).stringByCleaningHTML());
    }

    // The first number of the section ("USA:142 min" gives 142).
    void addRunningTime()
    {
        const Text runtime = scanSection(m_scanner, {u"Runtime:</h5>", u">"});
        if (runtime.isNull())
            return;
        const std::optional<qint64> minutes =
            platform::firstWholeNumber(runtime.stringByCleaningHTML().string());
        if (minutes && *minutes >= 1)
            m_record.set(recordkey::duration, QString::number(*minutes));
    }

    void addCountries()
    {
        const Text countries = scanSection(m_scanner, {u"Country:</h5>"}, u"</div");
        if (countries.isNull())
            return;
        m_record.set(
            recordkey::country,
            joinedPipeList(countries.stringByCleaningHTML()).replacing(u"\u00A0| ", u", "));
    }

    void addLanguages()
    {
        const Text languages = scanSection(m_scanner, {u"Language:</h5>"}, u"</div");
        if (!languages.isNull())
            m_record.set(recordkey::languages, joinedPipeList(languages.stringByCleaningHTML()));
    }

    void addAspectRatio()
    {
        const Text ratio = scanSection(m_scanner, {u"Aspect Ratio:</h5>", u">"});
        if (!ratio.isNull())
            m_record.set(recordkey::aspectRatio, ratio.cutBefore(u"<a ").stringByCleaningHTML());
    }

    void addSoundMix()
    {
        const Text sound = scanSection(m_scanner, {u"Sound Mix:</h5>", u"\">"});
        if (!sound.isNull())
            m_record.set(recordkey::sound, sound.stringByCleaningHTML());
    }

    void addCompany()
    {
        const Text company = scanSection(m_scanner, {u"Company:</h5>", u">"});
        if (!company.isNull())
            m_record.set(recordkey::studio, company.stringByCleaningHTML());
    }

    platform::Cursor m_scanner;
    QString m_titleNumber;
    TitleRecord &m_record;
    FieldsController *m_fields;
    const PlotSummaryLoader &m_plotSummary;
};

} // namespace

void oldIMDBParsingStyle(const Text &page, const QString &titleNumber, TitleRecord &record,
                         FieldsController *fields)
{
    oldIMDBParsingStyle(page, titleNumber, record, fields, fetchPlotSummaryPage);
}

void oldIMDBParsingStyle(const Text &page, const QString &titleNumber, TitleRecord &record,
                         FieldsController *fields, const PlotSummaryLoader &plotSummary)
{
    LegacyParser(page, titleNumber, record, fields, plotSummary).run();
}

} // namespace details
