#pragma once

#include "platform/registry/RegistryTypes.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// The class every component reads and writes the registry through: set the four selectors, then
// read or assign Value. A missing value reads as Default; keys are created when a value is written.
class cRegistry {
public:
    struct Error {
        qint64 number = 0;
        QString source;
        QString description;
    };

    static constexpr qint64 errCreateOpenDelete = 26001;
    static constexpr qint64 errObjectBase = 0x80040000LL + 1048;
    static constexpr qint64 errWrite = errObjectBase + 26001;
    static constexpr qint64 errEnumSections = errObjectBase + 26002;
    static constexpr qint64 errEnumValues = errObjectBase + 26003;
    static constexpr qint64 errAssociationList = errObjectBase + 26004;
    static constexpr qint64 errAssociationClass = errObjectBase + 26005;

    quint32 ClassKey = platform::registry::HKEY_CURRENT_USER;
    QString SectionKey;
    QString ValueKey;
    quint32 ValueType = platform::registry::REG_SZ;
    QVariant Default;

    // Reads never fail: anything that cannot be read gives Default.
    QVariant Value();
    // Writes report failure through false and LastError(), the way the class raised them.
    bool SetValue(const QVariant& value);

    bool KeyExists() const;
    bool DeleteKey();
    bool CreateKey();
    bool DeleteValue();
    bool EnumerateSections(QStringList& names, int& count);
    bool EnumerateValues(QStringList& names, int& count);

    bool CreateEXEAssociation(const QString& programPath, const QString& className, const QString& classDescription,
                              const QString& extension, const QString& openText, bool print, const QString& printText,
                              bool makeNew, const QString& newText, bool install, const QString& installText,
                              int iconIndex);
    // items: flat triples of verb name, menu text, command.
    bool CreateAdditionalEXEAssociations(const QString& className, const QStringList& items);

    const Error& LastError() const { return m_lastError; }
    const QVariant& LastValue() const { return m_lastValue; }

private:
    bool fail(qint64 number, const QString& description);
    bool writeString(const QString& section, const QString& text);
    QString keyText() const { return QString::number(qint32(ClassKey)); }

    Error m_lastError;
    QVariant m_lastValue;
};
