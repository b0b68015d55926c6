#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>

#include <memory>

namespace platform {

// Turns one value into another for a view that shows it, such as a font size into a row
// height. Windows find a transformer by the name it was registered under, so the code that
// defines a transformer and the window that uses it need not know each other.
class ValueTransformer
{
public:
    virtual ~ValueTransformer() = default;

    // The type of the values transformedValue returns.
    virtual QMetaType transformedValueType() const = 0;
    virtual bool allowsReverseTransformation() const = 0;
    // The transformed value, or a null QVariant when `value` cannot be transformed.
    virtual QVariant transformedValue(const QVariant &value) const = 0;
};

// Registers `transformer` under `name`, replacing any earlier one; a null transformer removes
// the name. Transformers are shared by every module of the process.
void setValueTransformer(const std::shared_ptr<const ValueTransformer> &transformer,
                         const QString &name);
// The transformer registered under `name`, or null.
std::shared_ptr<const ValueTransformer> valueTransformerForName(const QString &name);

} // namespace platform
