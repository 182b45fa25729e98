#include "platform/registry/HiveText.h"
#include "platform/registry/Registry.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace platform::registry;

namespace {

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out += char(b);
    return out;
}

HKEY createKey(HKEY root, const QString& path)
{
    HKEY key = 0;
    EXPECT_EQ(RegCreateKeyEx(root, path, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    return key;
}

QByteArray query(HKEY key, const QString& name, DWORD* type = nullptr)
{
    DWORD size = 0;
    if (RegQueryValueEx(key, name, type, nullptr, &size) != ERROR_SUCCESS)
        return "<missing>";
    QByteArray data(qsizetype(size), '\0');
    EXPECT_EQ(RegQueryValueEx(key, name, type, reinterpret_cast<quint8*>(data.data()), &size), ERROR_SUCCESS);
    return data;
}

void set(HKEY key, const QString& name, DWORD type, const QByteArray& data)
{
    ASSERT_EQ(RegSetValueEx(key, name, type, reinterpret_cast<const quint8*>(data.constData()), DWORD(data.size())),
              ERROR_SUCCESS);
}

} // namespace

TEST(Registry, EveryTypeSurvivesTheFile)
{
    struct Case {
        const char* name;
        DWORD type;
        QByteArray data;
    };
    const QList<Case> cases = {
        {"plain", REG_SZ, QByteArray("Version 1.7.0.4") + '\0'},
        {"", REG_SZ, QByteArray("default value") + '\0'},
        {"quotes \"and\" \\backslashes\\", REG_SZ, QByteArray("C:\\dir \"x\"") + '\0'},
        {"multi line", REG_SZ, QByteArray("one\r\ntwo") + '\0'},
        {"unicode", REG_SZ, QString::fromUtf8("Ärger \xe2\x82\xac \xe6\x97\xa5").toUtf8() + '\0'},
        {"no nul", REG_SZ, QByteArray("abc")},
        {"expand", REG_EXPAND_SZ, QByteArray("%HOME%\\x") + '\0'},
        {"binary36", REG_BINARY, QByteArray(36, '\x5a')},
        {"empty binary", REG_BINARY, QByteArray()},
        {"dword", REG_DWORD, bytes({5, 0, 0, 0})},
        {"dword max", REG_DWORD, bytes({0xff, 0xff, 0xff, 0xff})},
        {"short dword", REG_DWORD, bytes({1, 2})},
        {"big endian", REG_DWORD_BIG_ENDIAN, bytes({0, 0, 0, 7})},
        {"multi", REG_MULTI_SZ, QByteArray("a\0b\0\0", 5)},
        {"bad utf8", REG_SZ, bytes({0xff, 0xfe, 0})},
    };
    const HKEY key = createKey(HKEY_CURRENT_USER, "SOFTWARE\\Duopane 1.7\\Types");
    for (const Case& c : cases)
        set(key, c.name, c.type, c.data);

    QFile file(hivePath(HKEY_CURRENT_USER));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const HiveParse reread = parseHiveText(file.readAll(), "HKEY_CURRENT_USER");
    EXPECT_EQ(reread.damagedLine, 0);
    for (const Case& c : cases) {
        DWORD type = 0;
        EXPECT_EQ(query(key, c.name, &type), c.data) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
        const RegValue* stored = reread.data.value("SOFTWARE\\Duopane 1.7\\Types", c.name);
        ASSERT_TRUE(stored) << c.name;
        EXPECT_EQ(stored->data, c.data) << c.name;
        EXPECT_EQ(stored->type, c.type) << c.name;
    }
    RegCloseKey(key);
}

TEST(Registry, Win32ErrorCodes)
{
    const HKEY key = createKey(HKEY_CURRENT_USER, "Software\\Test");
    set(key, "name", REG_SZ, QByteArray("0123456789") + '\0');

    quint8 small[4];
    DWORD size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(key, "name", nullptr, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(RegQueryValueEx(key, "missing", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

    HKEY other = 0;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Absent", 0, KEY_READ, &other), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\TEST", 0, KEY_READ, &other), ERROR_SUCCESS)
        << "key names compare without regard to case";
    EXPECT_EQ(RegSetValueEx(other, "x", REG_SZ, nullptr, 0), ERROR_ACCESS_DENIED) << "opened for reading only";
    RegCloseKey(other);

    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software"), ERROR_ACCESS_DENIED) << "a key with subkeys stays";
    EXPECT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, ".duopane-new", 0, KEY_ALL_ACCESS, &other), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegQueryValueEx(0x4242, "x", nullptr, nullptr, &size), ERROR_INVALID_HANDLE);

    setHiveWritable(HKEY_LOCAL_MACHINE, false);
    EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Duopane 1.7", 0, KEY_ALL_ACCESS, &other),
              ERROR_ACCESS_DENIED);
    RegCloseKey(key);
}

TEST(Registry, EnumeratesKeysAndValues)
{
    const HKEY key = createKey(HKEY_CURRENT_USER, "Software\\Enum");
    RegCloseKey(createKey(key, "Beta"));
    RegCloseKey(createKey(key, "alpha"));
    RegCloseKey(createKey(key, "alpha\\deeper"));
    set(key, "v1", REG_DWORD, bytes({1, 0, 0, 0}));
    set(key, "value two", REG_SZ, QByteArray("x") + '\0');

    QStringList names;
    QString name;
    for (DWORD i = 0; RegEnumKeyEx(key, i, &name) == ERROR_SUCCESS; ++i)
        names << name;
    EXPECT_EQ(names, QStringList({"alpha", "Beta"}));
    names.clear();
    for (DWORD i = 0; RegEnumValue(key, i, &name) == ERROR_SUCCESS; ++i)
        names << name;
    EXPECT_EQ(names, QStringList({"v1", "value two"}));
    DWORD subKeys = 0, values = 0, longestName = 0;
    EXPECT_EQ(RegQueryInfoKey(key, &subKeys, nullptr, &values, &longestName, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 2u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(longestName, 9u);
    RegCloseKey(key);
}

TEST(Registry, ClassesRootComesFromTheMimeDatabase)
{
    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".txt", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(query(key, ""), QByteArray("text/plain") + '\0');
    RegCloseKey(key);
}

TEST(Registry, DamagedFileIsReadAsFarAsItParses)
{
    const QString path = hivePath(HKEY_CURRENT_USER);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Good]\n\"kept\"=dword:0000002a\n"
                   "\"torn\"=dwo\n[HKEY_CURRENT_USER\\Lost]\n");
    }
    HKEY key = 0;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Good", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    EXPECT_EQ(query(key, "kept"), bytes({42, 0, 0, 0}));
    EXPECT_EQ(query(key, "torn"), "<missing>");
    EXPECT_TRUE(QFile::exists(path + ".damaged"));
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Lost", 0, KEY_READ, nullptr), ERROR_FILE_NOT_FOUND);

    set(key, "new", REG_DWORD, bytes({1, 0, 0, 0}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(parseHiveText(file.readAll(), "HKEY_CURRENT_USER").damagedLine, 0) << "the next write stores a clean file";
    RegCloseKey(key);
}

TEST(HiveText, DamageCases)
{
    struct Case {
        const char* text;
        int damagedLine;
        int keys; // including the root key
    };
    const Case cases[] = {
        {"", 0, 0},
        {"garbage", 1, 0},
        {"\xff\xfe\x00\x01", 1, 0},
        {"REGEDIT4\n\"value before key\"=\"x\"\n", 2, 0},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\Other root]\n", 2, 0},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"s\"=\"unterminated\n", 3, 2},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"h\"=hex:zz\n", 3, 2},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"h\"=hex:01,\\\n  02\n; comment\n[HKEY_CURRENT_USER\\B]\n", 0, 3},
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n@=\"crlf\"\r\n", 0, 2},
    };
    for (const Case& c : cases) {
        const HiveParse p = parseHiveText(QByteArray(c.text), "HKEY_CURRENT_USER");
        EXPECT_EQ(p.damagedLine, c.damagedLine) << c.text;
        EXPECT_EQ(p.data.keys().size(), c.keys) << c.text;
    }
}
