// The crew departments of the full-credits page: switches, markers, order and job fields.

#include "details/Departments.h"
#include "tests/details/CreditsTestSupport.h"

class DepartmentsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void everyDepartment_data();
    void everyDepartment();
    void onlyTheSwitchedOnDepartment();
    void markersAreExact();
    void olderLayoutWinsOverSectionId();
    void composersCollectInTheirField();
    void unclosedTableRunsToThePageEnd();

private:
    TestHost m_host;
};

namespace {

QString personRow(const QString &name, const QString &job, int number = 1)
{
    return u"<tr>\n<td class=\"name\">\n<a href=\"/name/nm"_qs +
           QString::number(number).rightJustified(7, u'0') + u"/?ref_=ttfc_fc_cr1\" > "_qs + name +
           u"\n</a>        </td>\n<td>...</td>\n<td class=\"credit\">\n   "_qs + job +
           u"   \n</td>\n</tr>"_qs;
}

// A department table of the older layout under its heading.
QString headedTable(const QString &heading, const QString &rows)
{
    return u"<h4 class=\"dataHeaderWithBorder\">"_qs + heading +
           u"&nbsp;</h4>\n<table class=\"simpleTable\"><tbody>"_qs + rows +
           u"</tbody></table>\n"_qs;
}

// A department section of the newer layout, found by its id.
QString identifiedSection(const QString &id, const QString &rows)
{
    return u"<div id=\""_qs + id + u"\"><ul><table>"_qs + rows + u"</ul></div>\n"_qs;
}

struct DepartmentRow
{
    QString userDefault;
    QString heading; // the header marker without its ">"
    QString sectionId;
    QString role; // empty: each row gives its own
};

QList<DepartmentRow> departmentTable()
{
    return {
        {prefs::creditsMusic, u"Music by"_qs, u"sub-section-music_department"_qs, u"Composer"_qs},
        {prefs::creditsCinematographer, u"Cinematography by"_qs, u"sub-section-cinematographer"_qs,
         u"Cinematographer"_qs},
        {prefs::creditsEditor, u"Film Editing by"_qs, u"sub-section-editor"_qs, u"Editor"_qs},
        {prefs::creditsCasting, u"Casting By"_qs, u"sub-section-casting_department"_qs,
         u"Casting Director"_qs},
        {prefs::creditsProductionDesigner, u"Production Design by"_qs,
         u"sub-section-production_designer"_qs, u"Production Designer"_qs},
        {prefs::creditsArtDirector, u"Art Direction by"_qs, u"sub-section-art_director"_qs,
         u"Art Director"_qs},
        {prefs::creditsSet, u"Set Decoration by"_qs, u"sub-section-set_decorator"_qs,
         u"Set Decorator"_qs},
        {prefs::creditsCostume, u"Costume Design by"_qs, u"sub-section-costume_designer"_qs,
         u"Custome Designer"_qs},
        {prefs::creditsMakeUp, u"Makeup Department"_qs, u"sub-section-make_up_department"_qs, {}},
        {prefs::creditsProductionManager,
         u"Production Management"_qs,
         u"sub-section-production_manager"_qs,
         {}},
        {prefs::creditsAssistant,
         u"Second Unit Director or Assistant Director"_qs,
         u"sub-section-assistant_director"_qs,
         {}},
        {prefs::creditsArt, u"Art Department"_qs, u"sub-section-art_department"_qs, {}},
        {prefs::creditsSound, u"Sound Department"_qs, u"sub-section-sound_department"_qs, {}},
        {prefs::creditsSpecial, u"Special Effects by"_qs, u"sub-section-special_effects"_qs, {}},
        {prefs::creditsVisual, u"Visual Effects by"_qs, u"sub-section-visual_effects"_qs, {}},
        {prefs::creditsStunts, u"Stunts"_qs, u"sub-section-stunts"_qs, {}},
        {prefs::creditsElectrical,
         u"Camera and Electrical Department"_qs,
         u"sub-section-camera_department"_qs,
         {}},
    };
}

TitleRecord readDepartments(const QString &page)
{
    TitleRecord record = recordWithCredits();
    details::addDepartmentCredits(page, record);
    return record;
}

} // namespace

void DepartmentsTest::init()
{
    switchOnOnly({});
    m_host.setCustomFields({});
}

void DepartmentsTest::everyDepartment_data()
{
    QTest::addColumn<bool>("olderLayout");
    QTest::newRow("headed tables") << true;
    QTest::newRow("sections by id") << false;
}

// Each department's switch, marker and role; the page lists them backwards, the credits come
// in the table's order.
void DepartmentsTest::everyDepartment()
{
    QFETCH(bool, olderLayout);
    const QList<DepartmentRow> table = departmentTable();
    QString page;
    QList<QString> keys;
    QStringList expected;
    for (int i = 0; i < table.size(); ++i) {
        const DepartmentRow &row = table.at(i);
        const QString n = QString::number(i + 1);
        const QString rows = personRow(u"Ann "_qs + n, u"lead "_qs + n) +
                             personRow(u"Bo "_qs + n, u"second "_qs + n, 2);
        page.prepend(olderLayout ? headedTable(row.heading, rows)
                                 : identifiedSection(row.sectionId, rows));
        keys.append(row.userDefault);
        expected.append(u"Ann "_qs + n + u" = "_qs +
                        (row.role.isEmpty() ? u"lead "_qs + n : row.role));
        expected.append(u"Bo "_qs + n + u" = "_qs +
                        (row.role.isEmpty() ? u"second "_qs + n : row.role));
    }
    QVERIFY(readDepartments(page).credits().isEmpty());
    switchOnOnly(keys);
    QCOMPARE(describeCredits(readDepartments(page)), expected);
}

void DepartmentsTest::onlyTheSwitchedOnDepartment()
{
    QString page;
    for (const DepartmentRow &row : departmentTable())
        page += headedTable(row.heading, personRow(u"Someone"_qs, u"job"_qs));
    page += headedTable(u"Film Editing by"_qs,
                        personRow(u"Ed One"_qs, QString()) + personRow(u"Ed Two"_qs, QString(), 2));
    switchOnOnly({prefs::creditsEditor});
    // The first "Film Editing by" table is the department's.
    QCOMPARE(describeCredits(readDepartments(page)), QStringList{u"Someone = Editor"_qs});
}

void DepartmentsTest::markersAreExact()
{
    switchOnOnly({prefs::creditsCasting, prefs::creditsAssistant, prefs::creditsMusic});
    // A lower-case "by" is not the casting heading; the assistant directors' heading is found
    // inside the longer heading text; "Music By" in capitals is not the music heading.
    const QString page = headedTable(u"Casting by"_qs, personRow(u"Not Casting"_qs, {})) +
                         headedTable(u"Music By"_qs, personRow(u"Not Music"_qs, {})) +
                         headedTable(u"Second Unit Director or Assistant Director"_qs,
                                     personRow(u"Ad One"_qs, u"first assistant director"_qs));
    QCOMPARE(describeCredits(readDepartments(page)),
             QStringList{u"Ad One = first assistant director"_qs});
}

void DepartmentsTest::olderLayoutWinsOverSectionId()
{
    switchOnOnly({prefs::creditsSound});
    const QString page =
        identifiedSection(u"sub-section-sound_department"_qs,
                          personRow(u"Newer Layout"_qs, u"boom operator"_qs)) +
        headedTable(u"Sound Department"_qs, personRow(u"Older Layout"_qs, u"foley mixer"_qs));
    QCOMPARE(describeCredits(readDepartments(page)), QStringList{u"Older Layout = foley mixer"_qs});
}

void DepartmentsTest::composersCollectInTheirField()
{
    switchOnOnly({prefs::creditsMusic, prefs::creditsCostume});
    const QString page = headedTable(u"Music by"_qs, personRow(u"Don Davis"_qs, {}) +
                                                         personRow(u"Rob Dougan"_qs, {}, 2) +
                                                         personRow(u"Don"_qs, {}, 3)) +
                         headedTable(u"Costume Design by"_qs, personRow(u"Kym Barrett"_qs, {}));

    // Without the catalogue's fields the credits are still appended.
    TitleRecord withoutFields = readDepartments(page);
    QCOMPARE(describeCredits(withoutFields),
             (QStringList{u"Don Davis = Composer"_qs, u"Rob Dougan = Composer"_qs,
                          u"Don = Composer"_qs, u"Kym Barrett = Custome Designer"_qs}));
    QCOMPARE(withoutFields.values().size(), 1);

    m_host.setCustomFields(
        {{u"Composer"_qs, u"composerField"_qs}, {u"Custome Designer"_qs, u"costumeField"_qs}});
    TitleRecord withFields = readDepartments(page);
    QCOMPARE(withFields.credits().size(), 4);
    // "Don" is already inside the text, so it is not added again.
    QCOMPARE(withFields.text(u"composerField"_qs).string(), u"Don Davis, Rob Dougan"_qs);
    QCOMPARE(withFields.text(u"costumeField"_qs).string(), u"Kym Barrett"_qs);
}

void DepartmentsTest::unclosedTableRunsToThePageEnd()
{
    switchOnOnly({prefs::creditsEditor, prefs::creditsStunts});
    // The editors' table never ends: it runs to the end of the page, so the stunt people are
    // read a second time, as editors.
    const QString page = u"<h4>Film Editing by</h4><table>"_qs + personRow(u"Ed One"_qs, {}) +
                         u"<h4>Stunts</h4><table>"_qs + personRow(u"Stu One"_qs, u"stunts"_qs, 2);
    QCOMPARE(describeCredits(readDepartments(page)),
             (QStringList{u"Ed One = Editor"_qs, u"Stu One = Editor"_qs, u"Stu One = stunts"_qs}));
}

IMDB_TEST_MAIN(DepartmentsTest)
#include "tst_departments.moc"
