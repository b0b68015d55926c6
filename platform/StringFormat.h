#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Fills a format of the platform's string formatting: each "%@", "%ld" or "%d" takes the next
// argument in order, "%%" is a percent sign. Missing arguments leave the rest empty.
QString stringWithFormat(QStringView format, const QStringList &arguments);

} // namespace platform
