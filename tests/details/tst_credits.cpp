// The credit readers, the uncredited filter, the job fields and the empty-list removal.

#include "details/Credits.h"
#include "tests/details/CreditsTestSupport.h"

class CreditsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void titlePageCastItems_data();
    void titlePageCastItems();
    void titlePageCastOfRealPages_data();
    void titlePageCastOfRealPages();
    void castTableRows_data();
    void castTableRows();
    void fixedRoleRows_data();
    void fixedRoleRows();
    void perRowRoleRows_data();
    void perRowRoleRows();
    void uncreditedRowStillReachesTheJobField();
    void customField_data();
    void customField();
    void customFieldAsksTheHostOnEveryCall();
    void uncreditedFilterIsReadForEveryPerson();
    void readersNeedACreditsList();
    void emptyCreditsListIsRemoved();
    void unclosedSectionsAreReadToTheEnd();

private:
    TestHost m_host;
};

namespace {

QString castItem(const QString &inner)
{
    return u"<div data-testid=\"title-cast-item\" class=\"w\">"_qs + inner + u"</ul></div>"_qs;
}

QString castItem(const QString &name, const QString &role)
{
    return castItem(u"<a class=\"o\" href=\"/name/nm1\" aria-label=\""_qs + name +
                    u"\"></a><a data-testid=\"title-cast-item__actor\" href=\"/name/nm1\">"_qs +
                    name +
                    u"</a><ul><li><a href=\"/title/tt1/characters/nm1\" class=\"x "
                    u"title-cast-item__char\" data-testid=\"l\"><span>"_qs +
                    role + u"</span></a></li>"_qs);
}

// An old-layout cast row: a photo link, the name link, the character cell.
QString castRow(const QString &name, const QString &characterCell)
{
    return u"<tr class=\"odd\"><td class=\"primary_photo\"><a href=\"/name/nm0000001/\"><img "
           u"title=\""_qs +
           name +
           u"\" alt=\"x\"/></a></td><td itemprop=\"actor\"><a href=\"/name/nm0000001/\" "
           u"itemprop='url'> <span itemprop=\"name\">"_qs +
           name + u"</span>\n</a></td><td class=\"ellipsis\">...</td>"_qs + characterCell +
           u"</tr>"_qs;
}

// A department row of the older layout: name link, "...", the job cell.
QString departmentRow(const QString &name, const QString &job)
{
    return u"<tr>\n<td class=\"name\">\n<a href=\"/name/nm0000002/?ref_=ttfc_fc_cr1\" > "_qs +
           name + u"\n</a>        </td>\n<td>...</td>\n<td class=\"credit\">\n   "_qs + job +
           u"   \n</td>\n</tr>"_qs;
}

} // namespace

void CreditsTest::init()
{
    switchOnOnly({});
    m_host.setCustomFields({});
}

void CreditsTest::titlePageCastItems_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QStringList>("credits");

    QTest::newRow("references decoded") << castItem(u"Zo&#235; Kravitz"_qs, u"Selina &amp; Cat"_qs)
                                        << QStringList{u"Zoë Kravitz = Selina & Cat"_qs};
    QTest::newRow("empty aria-label: the actor link's text")
        << castItem(u"<a aria-label=\"\" href=\"/name/nm2\"></a><a "
                    u"data-testid=\"title-cast-item__actor\" href=\"/name/nm2\">Dee &amp; "
                    u"Dum</a><span class=\"title-cast-item__char\">Twin</span>"_qs)
        << QStringList{u"Dee & Dum = Twin"_qs};
    QTest::newRow("character link whose text begins with as")
        << castItem(u"<a aria-label=\"Eve Moss\"></a><a href=\"/character/nm0003/\">as Queen "
                    u"Bee</a>"_qs)
        << QStringList{u"Eve Moss = Queen Bee"_qs};
    QTest::newRow("character link without as")
        << castItem(u"<a aria-label=\"Eve Moss\"></a><a href=\"/character/nm0003/\">Queen</a>"_qs)
        << QStringList{u"Eve Moss = Queen"_qs};
    QTest::newRow("role marker with nothing in it: an empty role")
        << castItem(
               u"<a aria-label=\"Fay Ray\"></a><span class=\"title-cast-item__char\"></span>"_qs)
        << QStringList{u"Fay Ray = "_qs};
    QTest::newRow("no role marker at all: no role")
        << castItem(u"<a aria-label=\"Gil Ames\"></a><span>nobody</span>"_qs)
        << QStringList{u"Gil Ames"_qs};
    QTest::newRow("uncredited left out while the option is off")
        << castItem(u"Hal Roe"_qs, u"Driver (uncredited)"_qs) + castItem(u"Ida Oz"_qs, u"Nurse"_qs)
        << QStringList{u"Ida Oz = Nurse"_qs};
    // The filter is case-sensitive, as the site always writes it in lower case.
    QTest::newRow("Uncredited in capitals passes")
        << castItem(u"Jo Fry"_qs, u"Cook (Uncredited)"_qs)
        << QStringList{u"Jo Fry = Cook (Uncredited)"_qs};
    QTest::newRow("item without a name")
        << castItem(u"<a aria-label=\"\"></a><span class=\"title-cast-item__char\">Ghost</span>"_qs)
        << QStringList{};
    QTest::newRow("last item never closed")
        << castItem(u"Kim Poe"_qs, u"Spy"_qs) +
               u"<div data-testid=\"title-cast-item\"><a aria-label=\"Lou Wu\"></a>"_qs
        << QStringList{u"Kim Poe = Spy"_qs, u"Lou Wu"_qs};
    QTest::newRow("no items") << u"<ul><li>cast</li></ul>"_qs << QStringList{};
}

void CreditsTest::titlePageCastItems()
{
    QFETCH(QString, section);
    QFETCH(QStringList, credits);
    TitleRecord record = recordWithCredits();
    details::newNewAddCreditsFromSection(section, record);
    QCOMPARE(describeCredits(record), credits);
}

void CreditsTest::titlePageCastOfRealPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QString>("last");

    QTest::newRow("Star Wars") << u"title-2020s/star-wars-tt0076759-2022-03.html"_qs << 18
                               << QStringList{u"Mark Hamill = Luke Skywalker"_qs,
                                              u"Harrison Ford = Han Solo"_qs,
                                              u"Carrie Fisher = Princess Leia Organa"_qs}
                               << u"Jack Klaff = Red Four (John D.)"_qs;
    QTest::newRow("House, Charity Case")
        << u"title-2020s/house-charity-case-tt2016511-episode-2022-03.html"_qs << 15
        << QStringList{u"Hugh Laurie = Dr. Gregory House"_qs, u"Omar Epps = Dr. Eric Foreman"_qs}
        << u"Dan Zins = Patient"_qs;
}

void CreditsTest::titlePageCastOfRealPages()
{
    QFETCH(QString, file);
    QFETCH(int, count);
    QFETCH(QStringList, first);
    QFETCH(QString, last);
    TitleRecord record = recordWithCredits();
    details::newNewAddCreditsFromSection(savedPage(file), record);
    const QStringList credits = describeCredits(record);
    QCOMPARE(credits.size(), count);
    QCOMPARE(credits.mid(0, first.size()), first);
    QCOMPARE(credits.last(), last);
}

void CreditsTest::castTableRows_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<bool>("uncreditedOn");
    QTest::addColumn<QStringList>("credits");

    QTest::newRow("role spanning lines")
        << castRow(u"Chris Pattinson"_qs,
                   u"<td class=\"character\">\n  <div>\n   Cop \n\n\n  (as Chris Scott)\n  \n "
                   u"</div>\n</td>"_qs)
        << false << QStringList{u"Chris Pattinson = Cop (as Chris Scott)"_qs};
    QTest::newRow("char cell") << castRow(u"Al Bo"_qs, u"<td class=\"char\">Pilot</td>"_qs) << false
                               << QStringList{u"Al Bo = Pilot"_qs};
    QTest::newRow("no role cell: no role")
        << castRow(u"Al Bo"_qs, QString()) << false << QStringList{u"Al Bo"_qs};
    QTest::newRow("empty role cell: no role")
        << castRow(u"Al Bo"_qs, u"<td class=\"character\">  </td>"_qs) << false
        << QStringList{u"Al Bo"_qs};
    QTest::newRow("only one link: its text")
        << u"<tr><td><a href=\"/name/nm1/\">Plain &amp; Simple</a></td><td "
           u"class=\"character\">Guard</td></tr>"_qs
        << false << QStringList{u"Plain & Simple = Guard"_qs};
    QTest::newRow("empty name link: the title attribute")
        << u"<tr><td><a href=\"/name/nm1/\"><img title=\"Tia Carrere\"/></a></td><td><a "
           u"href=\"/name/nm1/\"></a></td><td class=\"character\">Cass</td></tr>"_qs
        << false << QStringList{u"Tia Carrere = Cass"_qs};
    QTest::newRow("empty name link, no title: the text up to the cell's end")
        << u"<tr><td><a href=\"/name/nm1/\"></a></td><td><a href=\"/name/nm1/\"></a> Rae "
           u"Dawn</td></tr>"_qs
        << false << QStringList{u"Rae Dawn"_qs};
    QTest::newRow("uncredited left out while the option is off")
        << castRow(u"Rana Morrison"_qs,
                   u"<td class=\"character\"><div>Woman in Office\n\n(uncredited)</div></td>"_qs) +
               castRow(u"Bo Ray"_qs, u"<td class=\"character\">Cop</td>"_qs)
        << false << QStringList{u"Bo Ray = Cop"_qs};
    QTest::newRow("uncredited kept while the option is on")
        << castRow(u"Rana Morrison"_qs,
                   u"<td class=\"character\"><div>Woman in Office\n\n(uncredited)</div></td>"_qs)
        << true << QStringList{u"Rana Morrison = Woman in Office (uncredited)"_qs};
}

void CreditsTest::castTableRows()
{
    QFETCH(QString, section);
    QFETCH(bool, uncreditedOn);
    QFETCH(QStringList, credits);
    switchOnOnly(uncreditedOn ? QList<QString>{prefs::creditsUncredited} : QList<QString>{});
    TitleRecord record = recordWithCredits();
    details::newAddCreditsFromSection(section, record);
    QCOMPARE(describeCredits(record), credits);
}

void CreditsTest::fixedRoleRows_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QStringList>("credits");
    QTest::addColumn<QString>("field");

    QTest::newRow("name over two lines becomes one line")
        << u"<tr><td><a href=\"/name/nm1/\">Jean\n   Pierre</a></td></tr>"_qs
        << QStringList{u"Jean Pierre = Editor"_qs} << u"Jean Pierre"_qs;
    // No uncredited filter here: the job is the table's.
    QTest::newRow("uncredited note does not filter")
        << departmentRow(u"Ann Cole"_qs, u"(uncredited)"_qs) << QStringList{u"Ann Cole = Editor"_qs}
        << u"Ann Cole"_qs;
    QTest::newRow("row without a link: its first text")
        << u"<tr><td class=\"name\">Studio &amp; Co</td></tr>"_qs
        << QStringList{u"Studio & Co = Editor"_qs} << u"Studio & Co"_qs;
    QTest::newRow("row without a name")
        << u"<tr><td class=\"name\"><a href=\"/name/nm1/\"></a></td></tr>"_qs << QStringList{}
        << QString();
}

void CreditsTest::fixedRoleRows()
{
    QFETCH(QString, section);
    QFETCH(QStringList, credits);
    QFETCH(QString, field);
    m_host.setCustomFields({{u"Editor"_qs, u"editorField"_qs}});
    TitleRecord record = recordWithCredits();
    details::addCreditsFromSection(section, u"Editor"_qs, record);
    QCOMPARE(describeCredits(record), credits);
    QCOMPARE(record.text(u"editorField"_qs).optional(),
             field.isNull() ? std::nullopt : std::optional(field));
}

void CreditsTest::perRowRoleRows_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QStringList>("credits");

    QTest::newRow("job over several lines")
        << departmentRow(u"Nadine Wilkie"_qs,
                         u"additional hair stylist\n   /\n  additional makeup"_qs)
        << QStringList{u"Nadine Wilkie = additional hair stylist / additional makeup"_qs};
    QTest::newRow("job cell holding markup")
        << u"<tr><td><a href=\"/name/nm1/\">Bo Lee</a></td><td>...</td><td "
           u"class=\"credit\"><span>grip</span>: <i>second unit</i></td></tr>"_qs
        << QStringList{u"Bo Lee = grip"_qs};
    QTest::newRow("empty link text: the title attribute")
        << u"<tr><td><a href=\"/name/nm1/\" title=\"Tom &amp; Ray\"></a></td><td>stunts</td></tr>"_qs
        << QStringList{u"Tom & Ray = stunts"_qs};
    QTest::newRow("empty name link, empty title: the first text")
        << u"<tr><td><a href=\"/name/nm1/\">Photo &amp; Alt</a></td><td><a href=\"/name/nm1/\" "
           u"title=\"\"></a></td><td>stunts</td></tr>"_qs
        << QStringList{u"Photo & Alt = stunts"_qs};
    QTest::newRow("no cells after the link: no role")
        << u"<tr><td><a href=\"/name/nm1/\">Lone Name</a></tr>"_qs << QStringList{u"Lone Name"_qs};
}

void CreditsTest::perRowRoleRows()
{
    QFETCH(QString, section);
    QFETCH(QStringList, credits);
    TitleRecord record = recordWithCredits();
    details::addCreditsFromSection(section, record);
    QCOMPARE(describeCredits(record), credits);
}

void CreditsTest::uncreditedRowStillReachesTheJobField()
{
    m_host.setCustomFields({{u"makeup artist (uncredited)"_qs, u"makeupField"_qs}});
    const QString section = departmentRow(u"Ann Lee"_qs, u"makeup artist"_qs) +
                            departmentRow(u"Bo Stone"_qs, u"makeup artist (uncredited)"_qs);

    TitleRecord record = recordWithCredits();
    details::addCreditsFromSection(section, record);
    QCOMPARE(describeCredits(record), QStringList{u"Ann Lee = makeup artist"_qs});
    QCOMPARE(record.text(u"makeupField"_qs).string(), u"Bo Stone"_qs);

    switchOnOnly({prefs::creditsUncredited});
    TitleRecord kept = recordWithCredits();
    details::addCreditsFromSection(section, kept);
    QCOMPARE(describeCredits(kept), (QStringList{u"Ann Lee = makeup artist"_qs,
                                                 u"Bo Stone = makeup artist (uncredited)"_qs}));
}

void CreditsTest::customField_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<QVariant>("after");

    QTest::newRow("names collect in order")
        << QStringList{u"Don Davis"_qs, u"Rob Dougan"_qs, u"Ann Lee"_qs} << QVariant()
        << QVariant(u"Don Davis, Rob Dougan, Ann Lee"_qs);
    QTest::newRow("a name already in the text is not added again")
        << QStringList{u"Don Davis"_qs, u"Don Davis"_qs} << QVariant() << QVariant(u"Don Davis"_qs);
    QTest::newRow("a name inside another is not added")
        << QStringList{u"Ann Leeson"_qs, u"Ann Lee"_qs} << QVariant() << QVariant(u"Ann Leeson"_qs);
    QTest::newRow("the test minds letter case") << QStringList{u"Ann Lee"_qs, u"ann lee"_qs}
                                                << QVariant() << QVariant(u"Ann Lee, ann lee"_qs);
    QTest::newRow("a value stored earlier is extended")
        << QStringList{u"Bo Ray"_qs} << QVariant(u"Al Bo"_qs) << QVariant(u"Al Bo, Bo Ray"_qs);
}

void CreditsTest::customField()
{
    QFETCH(QStringList, names);
    QFETCH(QVariant, before);
    QFETCH(QVariant, after);
    m_host.setCustomFields({{u"Composer"_qs, u"composerField"_qs}});
    TitleRecord record;
    record.set(u"composerField"_qs, before);
    for (const QString &name : names)
        details::addToCustomField(name, Text(u"Composer"_qs), record);
    QCOMPARE(record.value(u"composerField"_qs), after);
    QCOMPARE(record.values().size(), 1);
}

void CreditsTest::customFieldAsksTheHostOnEveryCall()
{
    m_host.setCustomFields({{u"Composer"_qs, u"composerField"_qs}});
    TitleRecord record;
    const int callsBefore = m_host.fieldsControllerCalls();
    details::addToCustomField(u"A"_qs, Text(u"Composer"_qs), record);
    // The catalogue gains a field between two people: the next call sees it.
    m_host.setCustomFields({{u"Composer"_qs, u"composerField"_qs}, {u"Editor"_qs, u"ed"_qs}});
    details::addToCustomField(u"B"_qs, Text(u"Editor"_qs), record);
    details::addToCustomField(u"C"_qs, Text(u"Sound"_qs), record);
    QCOMPARE(m_host.fieldsControllerCalls() - callsBefore, 3);
    QCOMPARE(record.values(), (QVariantMap{{u"composerField"_qs, u"A"_qs}, {u"ed"_qs, u"B"_qs}}));

    // Without a role there is no field to ask for.
    details::addToCustomField(u"D"_qs, Text(), record);
    QCOMPARE(record.values().size(), 2);
}

void CreditsTest::uncreditedFilterIsReadForEveryPerson()
{
    const Text uncredited(u"Guard (uncredited)"_qs);
    QVERIFY(details::passesUncreditedFilter(Text(u"Guard"_qs)));
    QVERIFY(details::passesUncreditedFilter(Text()));
    QVERIFY(!details::passesUncreditedFilter(uncredited));
    platform::UserDefaults::setBool(prefs::creditsUncredited, true);
    QVERIFY(details::passesUncreditedFilter(uncredited));
    platform::UserDefaults::setBool(prefs::creditsUncredited, false);
    QVERIFY(!details::passesUncreditedFilter(uncredited));
}

void CreditsTest::readersNeedACreditsList()
{
    m_host.setCustomFields({{u"Editor"_qs, u"editorField"_qs}});
    TitleRecord record;
    details::newNewAddCreditsFromSection(castItem(u"Ann Lee"_qs, u"Mary"_qs), record);
    details::newAddCreditsFromSection(castRow(u"Bo Ray"_qs, QString()), record);
    details::addCreditsFromSection(departmentRow(u"Cy Dale"_qs, QString()), u"Editor"_qs, record);
    QVERIFY(!record.contains(recordkey::credits));
    // The job field does not depend on the list.
    QCOMPARE(record.text(u"editorField"_qs).string(), u"Cy Dale"_qs);
}

void CreditsTest::emptyCreditsListIsRemoved()
{
    TitleRecord empty = recordWithCredits({{recordkey::title, u"Alien"_qs}});
    details::removeEmptyCreditsList(empty);
    QCOMPARE(empty.values(), (QVariantMap{{recordkey::title, u"Alien"_qs}}));

    TitleRecord filled = recordWithCredits();
    filled.appendCredit(u"Ann Lee"_qs, Text());
    details::removeEmptyCreditsList(filled);
    QCOMPARE(describeCredits(filled), QStringList{u"Ann Lee"_qs});

    TitleRecord none;
    details::removeEmptyCreditsList(none);
    QVERIFY(none.values().isEmpty());
}

void CreditsTest::unclosedSectionsAreReadToTheEnd()
{
    // The last row never ends: it runs to the end of the text, and is still read.
    TitleRecord record = recordWithCredits();
    const QString unclosed =
        castRow(u"Ann Lee"_qs, QString()) +
        u"<tr><td><a href=\"/name/nm2/\"></a></td><td><a href=\"/name/nm2/\">Bo Ray</a>"_qs;
    details::newAddCreditsFromSection(unclosed, record);
    details::addCreditsFromSection(u"<tr><td><a href=\"/name/nm3/\">Cy Dale</a>"_qs, u"Editor"_qs,
                                   record);
    details::addCreditsFromSection(u"<a href=\"/name/nm4/\">Di Fox</a></td><td>grip"_qs, record);
    QCOMPARE(describeCredits(record), (QStringList{u"Ann Lee"_qs, u"Bo Ray"_qs,
                                                   u"Cy Dale = Editor"_qs, u"Di Fox = grip"_qs}));
}

IMDB_TEST_MAIN(CreditsTest)
#include "tst_credits.moc"
