#include "apps/catalogue/EntryView.h"

#include "apps/catalogue/CoverCache.h"
#include "apps/catalogue/CreditsModel.h"
#include "apps/catalogue/CustomFieldsModel.h"
#include "apps/catalogue/EntryValues.h"

#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int coverWidth = 200;

// The fields shown under the heading, in reading order: label and record key. The short
// facts come first, then the user-defined fields, then the texts of a paragraph or more.
struct FieldRow
{
    const char *label;
    const char16_t *key;
};
constexpr FieldRow factRows[] = {
    {QT_TRANSLATE_NOOP("EntryView", "Original title"), u"originalTitle"},
    {QT_TRANSLATE_NOOP("EntryView", "Series"), u"series"},
    {QT_TRANSLATE_NOOP("EntryView", "Season"), u"season"},
    {QT_TRANSLATE_NOOP("EntryView", "Episode"), u"episode"},
    {QT_TRANSLATE_NOOP("EntryView", "Released"), u"theatrical"},
    {QT_TRANSLATE_NOOP("EntryView", "Release date"), u"releaseDate"},
    {QT_TRANSLATE_NOOP("EntryView", "Director"), u"director"},
    {QT_TRANSLATE_NOOP("EntryView", "Creator"), u"creator"},
    {QT_TRANSLATE_NOOP("EntryView", "Writer"), u"writer"},
    {QT_TRANSLATE_NOOP("EntryView", "Producer"), u"producer"},
    {QT_TRANSLATE_NOOP("EntryView", "Starring"), u"starring"},
    {QT_TRANSLATE_NOOP("EntryView", "Rating"), u"rating"},
    {QT_TRANSLATE_NOOP("EntryView", "My rating"), u"myRating"},
    {QT_TRANSLATE_NOOP("EntryView", "Certificate"), u"rated"},
    {QT_TRANSLATE_NOOP("EntryView", "Country"), u"country"},
    {QT_TRANSLATE_NOOP("EntryView", "Languages"), u"languages"},
    {QT_TRANSLATE_NOOP("EntryView", "Studio"), u"studio"},
    {QT_TRANSLATE_NOOP("EntryView", "Sound"), u"sound"},
    {QT_TRANSLATE_NOOP("EntryView", "Aspect ratio"), u"aspectRatio"},
    {QT_TRANSLATE_NOOP("EntryView", "Awards"), u"awards"},
    {QT_TRANSLATE_NOOP("EntryView", "IMDb number"), u"imdb"},
};
constexpr FieldRow textRows[] = {
    {QT_TRANSLATE_NOOP("EntryView", "Tagline"), u"tagline"},
    {QT_TRANSLATE_NOOP("EntryView", "Summary"), u"summary"},
    {QT_TRANSLATE_NOOP("EntryView", "Keywords"), u"tags"},
};

void clearRows(QFormLayout *form)
{
    while (form->rowCount() > 0)
        form->removeRow(0);
}

QFormLayout *makeForm()
{
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignTop);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(4);
    return form;
}

QLabel *sectionHeading(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setContentsMargins(0, 8, 0, 2);
    return label;
}

} // namespace

EntryView::EntryView(CoverCache &covers, const CustomFieldsModel &customFields, QWidget *parent)
    : QWidget(parent)
    , m_covers(covers)
    , m_customFields(customFields)
    , m_cover(new QLabel)
    , m_heading(new QLabel)
    , m_subheading(new QLabel)
    , m_fields(makeForm())
    , m_creditsHeading(sectionHeading(tr("Cast and crew")))
    , m_credits(new CreditsModel(this))
    , m_creditsView(new QTableView)
{
    m_cover->setObjectName(QStringLiteral("cover"));
    m_cover->setFixedWidth(coverWidth);
    m_cover->setMinimumHeight(coverWidth * 3 / 2);
    m_cover->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_cover->setWordWrap(true);

    QFont headingFont = m_heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    m_heading->setWordWrap(true);
    m_heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_subheading->setWordWrap(true);
    m_subheading->setForegroundRole(QPalette::PlaceholderText);

    m_creditsView->setModel(m_credits);
    m_creditsView->setObjectName(QStringLiteral("credits"));
    m_creditsView->verticalHeader()->hide();
    m_creditsView->verticalHeader()->setDefaultSectionSize(m_creditsView->fontMetrics().height() +
                                                           6);
    m_creditsView->setWordWrap(false);
    m_creditsView->horizontalHeader()->setStretchLastSection(true);
    m_creditsView->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_creditsView->setAlternatingRowColors(true);
    m_creditsView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_creditsView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_creditsView->setMinimumHeight(160);

    auto *details = new QWidget;
    auto *detailsLayout = new QVBoxLayout(details);
    detailsLayout->setContentsMargins(0, 0, 0, 0);
    detailsLayout->addWidget(m_heading);
    detailsLayout->addWidget(m_subheading);
    detailsLayout->addSpacing(6);
    detailsLayout->addLayout(m_fields);
    detailsLayout->addStretch(1);

    auto *top = new QWidget;
    auto *topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(16);
    topLayout->addWidget(m_cover, 0, Qt::AlignTop);
    topLayout->addWidget(details, 1);

    auto *scroll = new QScrollArea;
    scroll->setWidget(top);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 3);
    layout->addWidget(m_creditsHeading);
    layout->addWidget(m_creditsView, 2);

    connect(&m_covers, &CoverCache::coverReady, this, [this](const QString &address) {
        if (address == entryvalues::coverAddress(m_values))
            showCover();
    });
    connect(&m_covers, &CoverCache::coverFailed, this, [this](const QString &address) {
        if (address == entryvalues::coverAddress(m_values))
            m_cover->setText(tr("The cover could not be loaded."));
    });
    connect(&m_customFields, &QAbstractItemModel::modelReset, this, &EntryView::rebuild);
    rebuild();
}

void EntryView::setEntry(const QVariantMap &values)
{
    m_values = values;
    rebuild();
}

void EntryView::addRow(const QString &label, const QString &key, const QString &text)
{
    auto *value = new QLabel(text);
    value->setObjectName(u"field:" + key);
    value->setWordWrap(true);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *name = new QLabel(label);
    name->setForegroundRole(QPalette::PlaceholderText);
    name->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_fields->addRow(name, value);
}

void EntryView::rebuild()
{
    clearRows(m_fields);
    const bool empty = m_values.isEmpty();
    m_heading->setText(empty ? tr("No entry selected")
                             : m_values.value(entrykey::title).toString());

    QStringList facts;
    if (const int year = entryvalues::year(m_values))
        facts.append(QString::number(year));
    if (const QString duration = m_values.value(QStringLiteral("duration")).toString();
        !duration.isEmpty())
        facts.append(tr("%1 min").arg(duration));
    if (const QString genre = m_values.value(QStringLiteral("genre")).toString(); !genre.isEmpty())
        facts.append(genre);
    m_subheading->setText(facts.join(QStringLiteral("  ·  ")));
    m_subheading->setVisible(!facts.isEmpty());

    // One form for all three groups, so that their labels line up.
    const auto addRows = [this](const auto &rows) {
        for (const FieldRow &row : rows) {
            const QString key = QString::fromUtf16(row.key);
            const QString text = entryvalues::displayText(m_values.value(key));
            if (!text.isEmpty())
                addRow(tr(row.label), key, text);
        }
    };
    addRows(factRows);
    if (!empty && !m_customFields.fields().isEmpty()) {
        m_fields->addRow(sectionHeading(tr("Your fields")));
        for (const CustomField &field : m_customFields.fields()) {
            const QString text = entryvalues::displayText(m_values.value(field.recordKey));
            addRow(field.title, field.recordKey, text.isEmpty() ? QStringLiteral("—") : text);
        }
    }
    if (m_fields->rowCount() > 0) {
        auto *gap = new QWidget;
        gap->setFixedHeight(10);
        m_fields->addRow(gap);
    }
    addRows(textRows);

    const QVariantList credits = m_values.value(entrykey::credits).toList();
    m_credits->setCredits(credits);
    m_creditsHeading->setVisible(!credits.isEmpty());
    m_creditsView->setVisible(!credits.isEmpty());
    showCover();
}

void EntryView::showCover()
{
    const QString address = entryvalues::coverAddress(m_values);
    if (address.isEmpty()) {
        m_cover->setPixmap({});
        m_cover->setText(m_values.isEmpty() ? QString() : tr("No cover"));
        return;
    }
    if (const std::optional<QImage> image = m_covers.request(address)) {
        m_cover->setPixmap(
            QPixmap::fromImage(image->scaledToWidth(coverWidth, Qt::SmoothTransformation)));
        return;
    }
    m_cover->setPixmap({});
    m_cover->setText(tr("Loading the cover…"));
}

std::optional<QString> EntryView::shownValue(const QString &key) const
{
    const QLabel *label = findChild<QLabel *>(u"field:" + key);
    if (!label)
        return std::nullopt;
    return label->text();
}
