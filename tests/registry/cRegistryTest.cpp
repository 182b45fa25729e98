#include "common/cRegistry.h"

#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

using namespace platform::registry;

namespace {

cRegistry at(const QString& section, const QString& value, quint32 type, QVariant def = {})
{
    cRegistry r;
    r.ClassKey = HKEY_CURRENT_USER;
    r.SectionKey = section;
    r.ValueKey = value;
    r.ValueType = type;
    r.Default = def;
    return r;
}

DWORD storedType(const QString& section, const QString& value)
{
    HKEY key = 0;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, section, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return REG_NONE;
    DWORD type = REG_NONE, size = 0;
    RegQueryValueEx(key, value, &type, nullptr, &size);
    RegCloseKey(key);
    return type;
}

} // namespace

TEST(cRegistry, WritesAndReadsBackByType)
{
    struct Case {
        const char* name;
        quint32 type;
        QVariant written;
        DWORD stored;      // REG_NONE: nothing stored
        QVariant readBack; // with Default "none"
    };
    const QList<Case> cases = {
        {"number", REG_DWORD, 5, REG_DWORD, 5},
        {"negative", REG_DWORD, -1, REG_DWORD, -1},
        {"short", REG_DWORD, QVariant::fromValue<short>(7), REG_DWORD, 7},
        {"text as number", REG_DWORD, QStringLiteral("5"), REG_NONE, QStringLiteral("none")},
        {"big endian asked", REG_DWORD_BIG_ENDIAN, 0x01020304, REG_DWORD, 0x01020304},
        {"text", REG_SZ, QStringLiteral("Tahoma"), REG_SZ, QStringLiteral("Tahoma")},
        {"percent once", REG_SZ, QStringLiteral("50%"), REG_SZ, QStringLiteral("50%")},
        {"adjacent percents", REG_SZ, QStringLiteral("a%%b"), REG_SZ, QStringLiteral("a%%b")},
        {"expandable", REG_SZ, QStringLiteral("C:\\100%\\a%b"), REG_EXPAND_SZ, QStringLiteral("C:\\100%\\a%b")},
        {"expanded", REG_EXPAND_SZ, QStringLiteral("%DUOPANE_TEST_VAR%\\x"), REG_EXPAND_SZ, QStringLiteral("value\\x")},
        {"bytes", REG_BINARY, QByteArray(36, '\x11'), REG_BINARY, QByteArray(36, '\x11')},
        {"text as bytes", REG_BINARY, QStringLiteral("abc"), REG_NONE, QStringLiteral("none")},
        {"unicode", REG_SZ, QString::fromUtf8("Größe \xe2\x82\xac"), REG_SZ, QString::fromUtf8("Größe \xe2\x82\xac")},
    };
    qputenv("DUOPANE_TEST_VAR", "value");
    for (const Case& c : cases) {
        cRegistry w = at("SOFTWARE\\Duopane 1.7\\Config", c.name, c.type);
        EXPECT_TRUE(w.SetValue(c.written)) << c.name;
        EXPECT_EQ(storedType("SOFTWARE\\Duopane 1.7\\Config", c.name), c.stored) << c.name;
        cRegistry r = at("SOFTWARE\\Duopane 1.7\\Config", c.name, REG_DWORD, QStringLiteral("none"));
        EXPECT_EQ(r.Value(), c.readBack) << c.name;
    }
}

TEST(cRegistry, MissingValueGivesDefaultAndKeepsType)
{
    cRegistry r = at("SOFTWARE\\Nowhere", "absent", REG_BINARY, 42);
    EXPECT_EQ(r.Value(), QVariant(42));
    EXPECT_EQ(r.ValueType, REG_BINARY);

    cRegistry w = at("SOFTWARE\\Here", "name", REG_SZ);
    ASSERT_TRUE(w.SetValue(QStringLiteral("x")));
    cRegistry r2 = at("SOFTWARE\\Here", "name", REG_DWORD, 0);
    EXPECT_EQ(r2.Value(), QVariant(QStringLiteral("x")));
    EXPECT_EQ(r2.ValueType, REG_SZ) << "reading an existing value takes its stored type";
}

TEST(cRegistry, BinaryValueRoundTripsUnchanged)
{
    QByteArray bytes;
    for (int i = 0; i < 36; ++i)
        bytes += char(i * 7);
    cRegistry w = at("Software\\Bin", "ShellState", REG_BINARY);
    ASSERT_TRUE(w.SetValue(bytes));
    cRegistry r = at("Software\\Bin", "ShellState", REG_BINARY);
    const QByteArray read = r.Value().toByteArray();
    ASSERT_TRUE(w.SetValue(read));
    EXPECT_EQ(at("Software\\Bin", "ShellState", REG_BINARY).Value().toByteArray(), bytes);
}

TEST(cRegistry, KeysValuesAndEnumeration)
{
    cRegistry r = at("SOFTWARE\\Duopane 1.7\\Config\\Email Accounts\\pop.example", "", REG_SZ);
    EXPECT_FALSE(r.KeyExists());
    EXPECT_TRUE(r.CreateKey());
    EXPECT_TRUE(r.KeyExists());
    r.SectionKey = "SOFTWARE\\Duopane 1.7\\Config\\Email Accounts\\second";
    r.ValueKey = "Server";
    EXPECT_TRUE(r.SetValue(QStringLiteral("pop2.example")));

    QStringList names;
    int count = -1;
    r.SectionKey = "SOFTWARE\\Duopane 1.7\\Config\\Email Accounts";
    EXPECT_TRUE(r.EnumerateSections(names, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(names, QStringList({"pop.example", "second"}));

    r.SectionKey = "SOFTWARE\\Missing";
    EXPECT_TRUE(r.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);

    r.SectionKey = "SOFTWARE\\Duopane 1.7\\Config\\Email Accounts\\second";
    EXPECT_TRUE(r.EnumerateValues(names, count));
    EXPECT_EQ(names, QStringList({"Server"}));
    EXPECT_TRUE(r.DeleteValue());
    EXPECT_FALSE(r.DeleteValue());
    EXPECT_EQ(r.LastError().number, cRegistry::errCreateOpenDelete);
    EXPECT_TRUE(r.DeleteKey());
    EXPECT_FALSE(r.DeleteKey());
    EXPECT_EQ(r.LastError().description,
              QString("Failed to delete registry Key: '-2147483647',Section: 'SOFTWARE\\Duopane 1.7\\Config\\Email Accounts\\second"));
    EXPECT_TRUE(r.LastError().source.endsWith(".cRegistry"));
}

TEST(cRegistry, FailedWritesReportTheirText)
{
    setHiveWritable(HKEY_LOCAL_MACHINE, false);
    cRegistry r;
    r.ClassKey = HKEY_LOCAL_MACHINE;
    r.SectionKey = "SOFTWARE\\Duopane 1.7";
    r.ValueKey = "Version";
    r.ValueType = REG_SZ;
    EXPECT_FALSE(r.SetValue(QStringLiteral("Version 1.7.0.4")));
    EXPECT_EQ(r.LastError().number, cRegistry::errCreateOpenDelete);
    EXPECT_EQ(r.LastError().description,
              QString("Failed to set registry value Key: '-2147483646',Section: 'SOFTWARE\\Duopane 1.7',Key: 'Version' "
                      "to value: 'Version 1.7.0.4'"));

    cRegistry odd = at("SOFTWARE\\x", "v", 11);
    EXPECT_FALSE(odd.SetValue(1));
    EXPECT_EQ(odd.LastError().number, cRegistry::errWrite);
}

TEST(cRegistry, AssociationsCannotBeWrittenToTheMimeView)
{
    cRegistry r;
    EXPECT_FALSE(r.CreateEXEAssociation("/usr/bin/duopane", "Duopane.Archive", "Archive", "dpx", "", true, "", false,
                                        "", false, "", 0));
    EXPECT_EQ(r.LastError().number, cRegistry::errCreateOpenDelete);

    r.ClassKey = HKEY_CURRENT_USER;
    EXPECT_FALSE(r.CreateAdditionalEXEAssociations("Duopane.Archive", {"a", "b"}));
    EXPECT_EQ(r.LastError().number, cRegistry::errAssociationList);
    EXPECT_FALSE(r.CreateAdditionalEXEAssociations("Undefined.Class", {"a", "b", "c"}));
    EXPECT_EQ(r.LastError().number, cRegistry::errAssociationClass);
}

TEST(cRegistry, AdditionalAssociationsUnderAnExistingClass)
{
    cRegistry r = at("Classes\\Duopane.Doc", "", REG_SZ);
    ASSERT_TRUE(r.CreateKey());
    r.ClassKey = HKEY_CURRENT_USER;
    EXPECT_TRUE(r.CreateAdditionalEXEAssociations("Classes\\Duopane.Doc", {"view", "&View", "viewer %1"}));
    EXPECT_EQ(at("Classes\\Duopane.Doc\\shell\\view", "", REG_SZ).Value(), QVariant("&View"));
    EXPECT_EQ(at("Classes\\Duopane.Doc\\shell\\view\\command", "", REG_SZ).Value(), QVariant("viewer %1"));
}
