// Critics' score, personal rating, user rating with its votes, and the locale's grouping.

#include "details/Ratings.h"
#include "details/TitleRecord.h"
#include "platform/UserDefaults.h"
#include "preferences/PreferenceKeys.h"
#include "tests/details/TitleTestPages.h"

#include <QLocale>

using FieldTitles = QHash<QString, QString>;
Q_DECLARE_METATYPE(FieldTitles)

class RatingsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void criticsScore_data();
    void criticsScore();
    void personalRating_data();
    void personalRating();
    void userRating_data();
    void userRating();
    void votesInTheUsersLocale_data();
    void votesInTheUsersLocale();

private:
    TestHost m_host;
};

namespace {

const QString votesKey = u"votesKey"_qs;

// A rating widget of `count` elements: its own opening tag and count - 1 stars.
QString ratingWidget(int count)
{
    QString widget = u"<div class=\"rating\">"_qs;
    for (int i = 1; i < count; ++i)
        widget += u"<br>"_qs;
    return widget + u"</div>"_qs;
}

QString aggregate(const QString &members)
{
    return withStructuredData(u"{\"@type\": \"Movie\", \"aggregateRating\": {%1}}"_qs.arg(members));
}

} // namespace

void RatingsTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void RatingsTest::cleanup()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    platform::UserDefaults::removeObject(prefs::disablePersonalRating);
    m_host.setCustomFields({});
}

void RatingsTest::criticsScore_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<FieldTitles>("fields");
    QTest::addColumn<QVariantMap>("before");
    QTest::addColumn<QVariantMap>("after");

    const QString score = u"<a href=\"criticreviews\"><div class=\"metacriticScore score_favorable "
                          "titleReviewBarSubItem\">\n<span>80</span>\n</div></a>"_qs;
    const FieldTitles both{{u"Metacritic"_qs, u"mc"_qs}, {u"Metascore"_qs, u"ms"_qs}};

    QTest::newRow("both fields") << score << both << QVariantMap()
                                 << QVariantMap{{u"mc"_qs, u"80"_qs}, {u"ms"_qs, u"80"_qs}};
    QTest::newRow("no field") << score << FieldTitles() << QVariantMap() << QVariantMap();
    QTest::newRow("written over what the fields held")
        << score << both << QVariantMap{{u"mc"_qs, u"12"_qs}, {u"title"_qs, u"T"_qs}}
        << QVariantMap{{u"mc"_qs, u"80"_qs}, {u"ms"_qs, u"80"_qs}, {u"title"_qs, u"T"_qs}};
    QTest::newRow("no score") << u"<span>80</span>"_qs << both << QVariantMap{{u"mc"_qs, u"12"_qs}}
                              << QVariantMap{{u"mc"_qs, u"12"_qs}};
}

void RatingsTest::criticsScore()
{
    QFETCH(QString, html);
    QFETCH(FieldTitles, fields);
    QFETCH(QVariantMap, before);
    QFETCH(QVariantMap, after);
    m_host.setCustomFields(fields);
    TitlePage page = titlePageFromText(html, &m_host);
    TitleRecord record(before);
    details::addCriticsScore(page, record);
    QCOMPARE(record.values(), after);
}

void RatingsTest::personalRating_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("disabled");
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<QVariant>("myRating");

    QTest::newRow("one element") << ratingWidget(1) << false << QVariant() << QVariant(1u);
    QTest::newRow("ten elements") << ratingWidget(10) << false << QVariant() << QVariant(10u);
    QTest::newRow("eleven elements") << ratingWidget(11) << false << QVariant() << QVariant();
    QTest::newRow("empty widget") << u"<div class=\"rating\"</div>"_qs << false << QVariant()
                                  << QVariant();
    QTest::newRow("no widget") << u"<p>rating</p>"_qs << false << QVariant() << QVariant();
    QTest::newRow("widget of another class")
        << u"<div class=\"rating rating-list\"><span>*</span></div>"_qs << false << QVariant()
        << QVariant();
    QTest::newRow("written over a stored rating")
        << ratingWidget(7) << false << QVariant(3u) << QVariant(7u);
    QTest::newRow("disabled") << ratingWidget(7) << true << QVariant() << QVariant();
    QTest::newRow("disabled keeps a stored rating")
        << ratingWidget(7) << true << QVariant(3u) << QVariant(3u);
}

void RatingsTest::personalRating()
{
    QFETCH(QString, html);
    QFETCH(bool, disabled);
    QFETCH(QVariant, before);
    QFETCH(QVariant, myRating);
    if (disabled)
        platform::UserDefaults::setBool(prefs::disablePersonalRating, true);
    TitlePage page = titlePageFromText(html);
    page.scanner.setPosition(page.page.length() / 2);
    TitleRecord record;
    record.set(recordkey::myRating, before);
    details::addPersonalRating(page, record);
    QCOMPARE(record.value(recordkey::myRating), myRating);
    QCOMPARE(page.scanner.position(), 0);
}

void RatingsTest::userRating_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("votesField");
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<QVariant>("rating");
    QTest::addColumn<QVariant>("votes"); // in the "IMDb Votes" field

    const QString numbers = aggregate(u"\"ratingCount\": 1234567, \"ratingValue\": 8.1"_qs);
    const QString texts = aggregate(u"\"ratingCount\": \"1234567\", \"ratingValue\": \"8.1\""_qs);

    QTest::newRow("texts, votes in their field")
        << texts << true << QVariant() << QVariant(u"8.1"_qs) << QVariant(u"1,234,567"_qs);
    QTest::newRow("whole-number rating")
        << aggregate(u"\"ratingCount\": 12, \"ratingValue\": 8"_qs) << false << QVariant()
        << QVariant(u"8 (12 votes)"_qs) << QVariant();
    QTest::newRow("count beyond 32 bits keeps its digits")
        << aggregate(u"\"ratingCount\": 3000000000, \"ratingValue\": 7.5"_qs) << true << QVariant()
        << QVariant(7.5) << QVariant(u"3,000,000,000"_qs);
    QTest::newRow("count of zero") << aggregate(u"\"ratingCount\": 0, \"ratingValue\": 8.1"_qs)
                                   << true << QVariant() << QVariant(8.1) << QVariant();
    QTest::newRow("no count") << aggregate(u"\"ratingValue\": 8.1"_qs) << false << QVariant()
                              << QVariant(8.1) << QVariant();
    QTest::newRow("rating below one is not stored")
        << aggregate(u"\"ratingCount\": 50, \"ratingValue\": 0.5"_qs) << true << QVariant()
        << QVariant() << QVariant();
    QTest::newRow("rating in words is not stored")
        << aggregate(u"\"ratingCount\": 50, \"ratingValue\": \"n/a\""_qs) << false << QVariant()
        << QVariant() << QVariant();
    // A count with a rating of an unexpected type is still structured data: the markup is
    // not consulted, and no rating is stored.
    QTest::newRow("rating of the wrong type")
        << aggregate(u"\"ratingCount\": 50, \"ratingValue\": {\"v\": 8}"_qs) +
               u"<div class=\"star-box-giga-star\"> 8.5 </div>"_qs
        << false << QVariant() << QVariant() << QVariant();
    QTest::newRow("count of the wrong type")
        << aggregate(u"\"ratingCount\": [50], \"ratingValue\": 8.1"_qs) << true << QVariant()
        << QVariant(8.1) << QVariant();
    QTest::newRow("rating already stored")
        << numbers << true << QVariant(u"7.0"_qs) << QVariant(u"7.0"_qs) << QVariant();

    const QString wrapper =
        u"<div class=\"ratings_wrapper\"><div class=\"imdbRating\"><strong><span "
        "itemprop=\"ratingValue\">7.5</span></strong>%1</div><a><span class=\"small\" "
        "itemprop=\"ratingCount\">624,315</span></a>"_qs;
    QTest::newRow("markup rating and votes")
        << wrapper.arg(u"<span class=\"small\">12,345</span>"_qs) << false << QVariant()
        << QVariant(u"7.5 (12,345 votes)"_qs) << QVariant();
    QTest::newRow("markup votes in their field")
        << wrapper.arg(u"<span class=\"small\">12,345</span>"_qs) << true << QVariant()
        << QVariant(u"7.5"_qs) << QVariant(u"12,345"_qs);
    // The wrapper ends at its first closing div, before the page's own vote count.
    QTest::newRow("markup votes outside the wrapper")
        << wrapper.arg(QString()) << true << QVariant() << QVariant(u"7.5"_qs) << QVariant();
    QTest::newRow("markup votes from a count in the page text")
        << withStructuredData(u"{\"aggregateRating\": {\"ratingCount\": 2608,"_qs,
                              wrapper.arg(QString()))
        << false << QVariant() << QVariant(u"7.5 (2608 votes)"_qs) << QVariant();
    QTest::newRow("star box") << u"<div class=\"star-box-giga-star\"> 8.5 </div>"_qs << true
                              << QVariant() << QVariant(u"8.5"_qs) << QVariant();
    QTest::newRow("structured data that is a list")
        << withStructuredData(u"[{\"aggregateRating\": {\"ratingValue\": 9}}]"_qs,
                              u"<div class=\"star-box-giga-star\"> 8.5 </div>"_qs)
        << false << QVariant() << QVariant(u"8.5"_qs) << QVariant();
    QTest::newRow("no rating anywhere")
        << u"<p>8.5</p>"_qs << true << QVariant() << QVariant() << QVariant();
}

void RatingsTest::userRating()
{
    QFETCH(QString, html);
    QFETCH(bool, votesField);
    QFETCH(QVariant, before);
    QFETCH(QVariant, rating);
    QFETCH(QVariant, votes);
    if (votesField)
        m_host.setCustomFields({{u"IMDb Votes"_qs, votesKey}});
    TitlePage page = titlePageFromText(html, &m_host);
    TitleRecord record;
    record.set(recordkey::rating, before);
    details::addUserRating(page, record);
    QCOMPARE(record.value(recordkey::rating), rating);
    QCOMPARE(record.value(votesKey), votes);
}

void RatingsTest::votesInTheUsersLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("rating");

    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                            << u"8.1 (1.234.567 votes)"_qs;
    // The C locale leaves grouping out unless asked for it.
    QTest::newRow("C") << QLocale::c() << u"8.1 (1,234,567 votes)"_qs;
    // A locale with digits of its own must not lose the votes.
    QTest::newRow("Arabic digits") << QLocale(QLocale::Arabic, QLocale::Egypt)
                                   << u"8.1 (\u0661\u066c\u0662\u0663\u0664\u066c\u0665\u0666"
                                      "\u0667 votes)"_qs;
}

void RatingsTest::votesInTheUsersLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, rating);
    QLocale::setDefault(locale);
    TitlePage page =
        titlePageFromText(aggregate(u"\"ratingCount\": 1234567, \"ratingValue\": 8.1"_qs), &m_host);
    TitleRecord record;
    details::addUserRating(page, record);
    QCOMPARE(record.value(recordkey::rating), QVariant(rating));
}

IMDB_TEST_MAIN(RatingsTest)
#include "tst_ratings.moc"
