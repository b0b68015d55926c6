// Running time: ISO 8601 durations and the places a page gives its runtime.

#include "details/Runtime.h"
#include "details/TitleRecord.h"
#include "tests/details/TitleTestPages.h"

#include <limits>

class RuntimeTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timeToMinutes_data();
    void timeToMinutes();
    void runningTime_data();
    void runningTime();
};

void RuntimeTest::timeToMinutes_data()
{
    QTest::addColumn<QString>("duration"); // null: no text
    QTest::addColumn<qint64>("minutes");

    QTest::newRow("hours and minutes") << u"PT2H22M"_qs << qint64(142);
    QTest::newRow("hours only") << u"PT2H"_qs << qint64(120);
    QTest::newRow("minutes only") << u"PT45M"_qs << qint64(45);
    QTest::newRow("words") << u"142 min"_qs << qint64(0);
    QTest::newRow("null") << QString() << qint64(0);
    QTest::newRow("empty") << u""_qs << qint64(0);
    QTest::newRow("no digits") << u"PTM"_qs << qint64(0);
    QTest::newRow("lower case is not read") << u"pt2h22m"_qs << qint64(0);
    QTest::newRow("hours without the prefix") << u"2H30M"_qs << qint64(30);
    // An hour count no clock has must not wrap round to a small or negative number.
    QTest::newRow("absurd hours saturate")
        << u"PT99999999999999999999H"_qs << std::numeric_limits<qint64>::max();
    QTest::newRow("absurd negative hours saturate")
        << u"PT-999999999999999999H"_qs << std::numeric_limits<qint64>::min();
}

void RuntimeTest::timeToMinutes()
{
    QFETCH(QString, duration);
    QFETCH(qint64, minutes);
    const Text text = duration.isNull() ? Text() : Text(duration);
    QCOMPARE(details::timeToMinutes(text), minutes);
}

void RuntimeTest::runningTime_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("duration"); // null: absent

    const QString none;
    const QString labelled =
        u"<div class=\"txt-block\"><h4 class=\"inline\">Runtime:</h4> %1</div>"_qs;
    const QString technicalDetails =
        u"<li data-testid=\"title-techspec_runtime\"><span class=\"l\">Runtime</span><div "
        "class=\"c\"><ul class=\"i\"><li role=\"presentation\" class=\"it\">%1</li></ul></div></li>"_qs;

    QTest::newRow("time element") << u"<time datetime=\"PT96M\">\n1h 36min\n</time>"_qs << none
                                  << u"96"_qs;
    QTest::newRow("zero structured duration falls through")
        << withStructuredData(u"{\"duration\": \"PT0M\"}"_qs, u"<time datetime=\"PT96M\">"_qs)
        << none << u"96"_qs;
    QTest::newRow("structured number counts as absent")
        << withStructuredData(u"{\"duration\": 116}"_qs, labelled.arg(u"120 min"_qs)) << none
        << u"120"_qs;
    QTest::newRow("labelled time element")
        << labelled.arg(u"\n<time itemprop=\"duration\" datetime=\"PT153M\">153 min</time>"_qs)
        << none << u"153"_qs;
    QTest::newRow("first number of a labelled line")
        << labelled.arg(u"Germany: 189 min (director's cut)"_qs) << none << u"189"_qs;
    QTest::newRow("labelled without minutes") << labelled.arg(u"2 hours"_qs) << none << none;
    QTest::newRow("labelled minutes without a number") << labelled.arg(u"min"_qs) << none << none;
    QTest::newRow("technical details in ISO form")
        << technicalDetails.arg(u"PT95M"_qs) << none << u"95"_qs;
    // The newer layout writes its technical runtime in words, which is no duration.
    QTest::newRow("technical details in words")
        << technicalDetails.arg(u"2<!-- --> <!-- -->hours<!-- --> <!-- -->1<!-- --> minute"_qs)
        << none << none;
    QTest::newRow("negative duration") << u"<time datetime=\"PT-5M\">"_qs << none << none;
    QTest::newRow("legacy duration kept")
        << withStructuredData(u"{\"duration\": \"PT1H56M\"}"_qs) << u"99"_qs << u"99"_qs;
    QTest::newRow("empty legacy duration replaced")
        << withStructuredData(u"{\"duration\": \"PT1H56M\"}"_qs) << u""_qs << u"116"_qs;
    QTest::newRow("no runtime") << u"<p>120 min</p>"_qs << none << none;
}

void RuntimeTest::runningTime()
{
    QFETCH(QString, html);
    QFETCH(QString, before);
    QFETCH(QString, duration);
    TitlePage page = titlePageFromText(html);
    TitleRecord record;
    if (!before.isNull())
        record.set(recordkey::duration, before);
    details::addRunningTime(page, record);
    QCOMPARE(record.contains(recordkey::duration), !duration.isNull());
    QCOMPARE(record.text(recordkey::duration).string(), duration);
}

IMDB_TEST_MAIN(RuntimeTest)
#include "tst_runtime.moc"
