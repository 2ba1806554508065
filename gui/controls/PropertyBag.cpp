#include "controls/PropertyBag.h"

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const {
    const auto found = values_.find(Key(name));
    return found == values_.end() ? defaultValue : found->second;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value,
                                const QVariant& defaultValue) {
    if (defaultValue.isValid() && value == defaultValue) {
        values_.erase(Key(name));
        return;
    }
    values_[Key(name)] = value;
}

bool PropertyBag::Contains(const QString& name) const {
    return values_.find(Key(name)) != values_.end();
}
