#include "platform/StringFormat.h"

namespace platform {

QString stringWithFormat(QStringView format, const QStringList &arguments)
{
    QString result;
    result.reserve(format.size() + 32);
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 >= format.size()) {
            result.append(format[i]);
            continue;
        }
        const QStringView rest = format.mid(i + 1);
        qsizetype used = 0;
        if (rest.startsWith(u"@") || rest.startsWith(u"d"))
            used = 1;
        else if (rest.startsWith(u"ld"))
            used = 2;
        if (rest.startsWith(u"%")) {
            result.append(u'%');
            ++i;
        } else if (used) {
            if (next < arguments.size())
                result.append(arguments.at(next));
            ++next;
            i += used;
        } else {
            result.append(format[i]);
        }
    }
    return result;
}

} // namespace platform
