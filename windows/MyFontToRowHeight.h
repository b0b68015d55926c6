#pragma once

#include "platform/ValueTransformers.h"

// Turns a font size into the height of a table row that fits it: six points more. Registered
// as "fontToRowHeight" for the awards table.
class MyFontToRowHeight : public platform::ValueTransformer
{
public:
    static constexpr QStringView name = u"fontToRowHeight";

    QMetaType transformedValueType() const override;
    bool allowsReverseTransformation() const override;
    // A number (double) for a number, or for a text read as the decimal integer at its start
    // (0 when it has none); null for anything else.
    QVariant transformedValue(const QVariant &value) const override;
};
