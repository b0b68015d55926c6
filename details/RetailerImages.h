#pragma once

#include <QString>
#include <QStringList>

namespace details {

// Puts the retailer's three cover images of a product in front of the list: the European
// host's ".03" and ".02" pictures, then the US host's ".01" one.
void amazonImageForAsin(const QString &asin, QStringList &images);

} // namespace details
