// The shared joining helpers: certificate labels, list collection, "A | B" lists, name lists.

#include "details/Certificates.h"
#include "details/ListCollection.h"
#include "details/NameLinks.h"
#include "tests/support/TestMain.h"

class CertificatesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void certificateLabel_data();
    void certificateLabel();
    void listCollection_data();
    void listCollection();
    void joinedPipeList_data();
    void joinedPipeList();
    void legacyNameList_data();
    void legacyNameList();
};

void CertificatesTest::certificateLabel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");

    QTest::newRow("NC-17") << u"Rated NC-17 for sexual content"_qs << u"NC-17"_qs;
    QTest::newRow("NR") << u"NR for now"_qs << u"NR"_qs;
    QTest::newRow("no label") << u"Not Rated"_qs << u"Not Rated"_qs;
    // The labels are tested in the table's order: "PG-13" before "PG ", "PG " before "G ".
    QTest::newRow("PG-13 before PG") << u"PG-13 or PG for some"_qs << u"PG-13"_qs;
    QTest::newRow("PG before G") << u"G or PG for some"_qs << u"PG"_qs;
    QTest::newRow("G before R") << u"Rated R or G for some"_qs << u"G"_qs;
    // A label counts only as a word of its own: "STRONG " holds "G " but names no G rating.
    QTest::newRow("G inside a word") << u"Rated R for STRONG violence"_qs << u"R"_qs;
    QTest::newRow("NR inside a word") << u"CORNR x"_qs << u"CORNR x"_qs;
    QTest::newRow("inside a word, then alone") << u"STRONG G rating"_qs << u"G"_qs;
    QTest::newRow("after punctuation") << u"(G rated)"_qs << u"G"_qs;
    QTest::newRow("at the start") << u"G for all"_qs << u"G"_qs;
    // The trailing space is part of the label: a label at the very end is no label.
    QTest::newRow("NR at the end") << u"Rated NR"_qs << u"Rated NR"_qs;
    QTest::newRow("case matters") << u"rated pg for some"_qs << u"rated pg for some"_qs;
    // The text comes back as it was: cleaning is the caller's.
    QTest::newRow("markup kept") << u"<span>Not Rated</span>"_qs << u"<span>Not Rated</span>"_qs;
}

void CertificatesTest::certificateLabel()
{
    QFETCH(QString, text);
    QFETCH(QString, label);
    QCOMPARE(details::certificateLabel(text), Text(label));
}

void CertificatesTest::listCollection_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("joined"); // null: nothing

    const QString none;
    QTest::newRow("two items") << u"<ul><li class=\"i\"><a href=\"/a\">United States</a></li>"
                                  "<li class=\"i\"><a href=\"/b\">United Kingdom</a></li></ul>"_qs
                               << u"United States, United Kingdom"_qs;
    QTest::newRow("entities and inner tags")
        << u"<li class=\"i\"><span>Tom &amp; Jerry</span></li><li x><b>Caf&eacute;</b></li>"_qs
        << u"Tom & Jerry, Café"_qs;
    QTest::newRow("one item") << u"<li role=\"p\">English</li>"_qs << u"English"_qs;
    QTest::newRow("a bare <li> is no item") << u"<li>English</li>"_qs << none;
    QTest::newRow("no items") << u"<ul></ul>"_qs << none;
    QTest::newRow("empty items") << u"<li a></li><li b></li>"_qs << none;
    // Each item's text, not the rest of the page after it.
    QTest::newRow("item never closed") << u"<li a>Drama"_qs << u"Drama"_qs;
    // Empty items leave no stray separator.
    QTest::newRow("empty first item") << u"<li a></li><li b>Drama</li>"_qs << u"Drama"_qs;
    QTest::newRow("empty middle item")
        << u"<li a>Drama</li><li b></li><li c>Crime</li>"_qs << u"Drama, Crime"_qs;
    QTest::newRow("start tag never ended") << u"<li a</li><li b>Crime</li>"_qs << u"Crime"_qs;
}

void CertificatesTest::listCollection()
{
    QFETCH(QString, block);
    QFETCH(QString, joined);
    const Text result = details::listCollection(block);
    QCOMPARE(result.isNull(), joined.isNull());
    QCOMPARE(result.string(), joined);
    QVERIFY(details::listCollection(Text()).isNull());
}

void CertificatesTest::joinedPipeList_data()
{
    QTest::addColumn<QString>("cleaned");
    QTest::addColumn<QString>("joined");

    QTest::newRow("one line") << u"USA | UK"_qs << u"USA, UK"_qs;
    // Cleaning leaves the page's line breaks between the links: "USA|UK" would be wrong.
    QTest::newRow("line breaks around the bar") << u"USA\n|\nUK"_qs << u"USA, UK"_qs;
    QTest::newRow("carriage returns") << u"USA\r\n|\r\nUK | Malta"_qs << u"USA, UK, Malta"_qs;
    QTest::newRow("bar without spaces stays") << u"A|B"_qs << u"A|B"_qs;
}

void CertificatesTest::joinedPipeList()
{
    QFETCH(QString, cleaned);
    QFETCH(QString, joined);
    QCOMPARE(details::joinedPipeList(cleaned), Text(joined));
    QVERIFY(details::joinedPipeList(Text()).isNull());
}

void CertificatesTest::legacyNameList_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("names");

    // The link's own attributes come before its "\">": the name starts after that.
    QTest::newRow("link with more attributes")
        << u"<a href=\"/name/nm0634240/\" onclick=\"x('link=name/nm0634240/');\">Christopher "
           "Nolan</a> (screenplay)"_qs
        << u"Christopher Nolan"_qs;
    // Names are not cleaned one by one.
    QTest::newRow("entity kept") << u"<a href=\"/name/nm1/\">Tom &amp; Co</a>"_qs
                                 << u"Tom &amp; Co"_qs;
    QTest::newRow("no person link") << u"<a href=\"/company/co1/\">Fox</a>"_qs << QString();
    QTest::newRow("empty block") << QString() << QString();
    QTest::newRow("link never closed") << u"<a href=\"/name/nm1/\">Name"_qs << u"Name"_qs;
    QTest::newRow("empty name") << u"<a href=\"/name/nm1/\"></a><a href=\"/name/nm2/\">B</a>"_qs
                                << u", B"_qs;
}

void CertificatesTest::legacyNameList()
{
    QFETCH(QString, block);
    QFETCH(QString, names);
    const Text result = details::legacyNameList(block);
    QVERIFY(!result.isNull());
    QCOMPARE(result.string(), names);
}

IMDB_TEST_MAIN(CertificatesTest)
#include "tst_certificates.moc"
