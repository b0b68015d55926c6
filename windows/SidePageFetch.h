#pragma once

#include <QString>

// The pages behind the side windows: "/title/tt<number>/<page>" on the site's bare host over
// plain HTTP, 25 seconds at most, fetched on the calling thread. The text is empty when
// nothing came back.
//
// Today's pages are UTF-8; older ones may still be ISO Latin-1, so a body that is not valid
// UTF-8 is read as Latin-1.
QString fetchSidePage(const QString &titleNumber, QStringView page);
