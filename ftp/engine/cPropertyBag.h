#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QString>
#include <QVariant>

// A store of named, typed values, kept in the order they were written, that keeps a value only when it differs from the default given
// when writing, and its serialized form: one "name<TAB>type<TAB>value" line per value, types
// "I" (16-bit), "L" (32-bit) and "S" (text, with \\, \t, \r and \n escaped), in UTF-8.
class cPropertyBag {
public:
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue = {});
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const;
    bool Contains(const QString& name) const { return m_values.contains(name); }

    QByteArray Contents() const;
    // Takes the values of a serialized bag up to the first line that does not parse.
    void SetContents(const QByteArray& contents);

private:
    void insert(const QString& name, const QVariant& value);

    QStringList m_names;
    QHash<QString, QVariant> m_values;
};
