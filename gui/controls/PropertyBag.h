#pragma once

#include <QString>
#include <QVariant>
#include <map>

// A store of named values for a control's saved settings. Names are matched
// without regard to case; a value equal to its default is not kept, so reading
// it back yields the default again.
class PropertyBag {
  public:
    // The value stored under the name, or the default when there is none.
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const;

    // Stores the value under the name; a value equal to the default removes
    // any value stored there instead.
    void WriteProperty(const QString& name, const QVariant& value,
                       const QVariant& defaultValue = {});

    bool Contains(const QString& name) const;

  private:
    static QString Key(const QString& name) { return name.toCaseFolded(); }

    std::map<QString, QVariant> values_;
};
