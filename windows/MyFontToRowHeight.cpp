#include "windows/MyFontToRowHeight.h"

#include "platform/NumberReading.h"

#include <algorithm>
#include <climits>
#include <cmath>

QMetaType MyFontToRowHeight::transformedValueType() const
{
    return QMetaType::fromType<double>();
}

bool MyFontToRowHeight::allowsReverseTransformation() const
{
    return false;
}

QVariant MyFontToRowHeight::transformedValue(const QVariant &value) const
{
    int size = 0;
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Float:
    case QMetaType::Double: {
        // Read as an integer: fractions cut off, the ends of the range kept.
        const double number = value.toDouble();
        size = std::isnan(number) ? 0 : int(std::clamp<double>(number, INT_MIN, INT_MAX));
        break;
    }
    case QMetaType::QString:
        size = platform::intValue(value.toString());
        break;
    default:
        return {};
    }
    return double(size) + 6;
}
