#include "details/Runtime.h"

#include "details/TitlePage.h"
#include "details/TitleRecord.h"
#include "platform/NumberReading.h"

#include <QtNumeric>

#include <limits>

namespace details {
namespace {

qint64 saturatingMinutes(qint64 hours, qint64 minutes)
{
    constexpr qint64 largest = std::numeric_limits<qint64>::max();
    constexpr qint64 smallest = std::numeric_limits<qint64>::min();
    qint64 hourMinutes = 0;
    if (qMulOverflow(hours, qint64(60), &hourMinutes))
        return hours < 0 ? smallest : largest;
    qint64 total = 0;
    if (qAddOverflow(hourMinutes, minutes, &total))
        return minutes < 0 ? smallest : largest;
    return total;
}

// The runtime labelled in words on older pages ("Runtime: 120 min"); 0 unless it counts
// minutes.
qint64 labelledMinutes(const Text &page)
{
    const Text runtime = page.stringBetween(u">", u"</", u"Runtime:</h").stringByCleaningHTML();
    if (!runtime.contains(u"min"))
        return 0;
    return platform::firstWholeNumber(runtime.string()).value_or(0);
}

void storeMinutes(qint64 minutes, TitleRecord &record)
{
    if (minutes >= 1)
        record.set(recordkey::duration, QString::number(minutes));
}

} // namespace

qint64 timeToMinutes(const Text &duration)
{
    if (duration.contains(u"H")) {
        return saturatingMinutes(duration.stringBetween(u"PT", u"H").integerValue(),
                                 duration.stringBetween(u"H", u"M").integerValue());
    }
    return duration.stringBetween(u"PT", u"M").integerValue();
}

void addRunningTime(TitlePage &page, TitleRecord &record)
{
    if (record.isEmpty(recordkey::duration)) {
        qint64 minutes = timeToMinutes(page.structuredText(QStringLiteral("duration")));
        if (minutes == 0)
            minutes = timeToMinutes(page.page.stringBetween(u"<time datetime=\"", u"\""));
        if (minutes == 0)
            minutes = labelledMinutes(page.page);
        storeMinutes(minutes, record);
    }
    if (record.isEmpty(recordkey::duration)) {
        const Text listed = page.page.stringBetween(u"title-techspec_runtime", u"</div>")
                                .stringBetween(u"<li ", u"</")
                                .stringBetween(u">", u"</")
                                .stringByCleaningHTML();
        if (!listed.isNull())
            storeMinutes(timeToMinutes(listed), record);
    }
}

} // namespace details
