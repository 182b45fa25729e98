#include "platform/registry/HiveText.h"

#include <QStringDecoder>

#include <optional>

namespace platform::registry {
namespace {

constexpr char header[] = "REGEDIT4";

QByteArray quoted(const QString& text)
{
    QByteArray out = "\"";
    for (char c : text.toUtf8()) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out + '"';
}

bool isPlainString(const QByteArray& data)
{
    if (data.isEmpty() || data.back() != '\0')
        return false;
    const QByteArray body = data.chopped(1);
    for (unsigned char c : body)
        if (c < 0x20 || c == 0x7f)
            return false;
    auto decoder = QStringDecoder(QStringDecoder::Utf8);
    [[maybe_unused]] QString decoded = decoder(body);
    return !decoder.hasError();
}

QByteArray hexBytes(const QByteArray& data)
{
    return data.toHex(',');
}

QByteArray valueText(const RegValue& v)
{
    if (v.type == REG_SZ && isPlainString(v.data))
        return quoted(QString::fromUtf8(v.data.chopped(1)));
    if (v.type == REG_DWORD && v.data.size() == 4) {
        const auto* b = reinterpret_cast<const uchar*>(v.data.constData());
        const quint32 n = b[0] | (b[1] << 8) | (b[2] << 16) | (quint32(b[3]) << 24);
        return "dword:" + QByteArray::number(n, 16).rightJustified(8, '0');
    }
    if (v.type == REG_BINARY)
        return "hex:" + hexBytes(v.data);
    return "hex(" + QByteArray::number(v.type, 16) + "):" + hexBytes(v.data);
}

// Reads a quoted text starting at pos (which holds the opening quote); pos ends after the closing one.
std::optional<QString> readQuoted(const QByteArray& line, qsizetype& pos)
{
    if (pos >= line.size() || line[pos] != '"')
        return std::nullopt;
    QByteArray out;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return QString::fromUtf8(out);
        }
        if (c == '\\' && pos + 1 < line.size()) {
            const char e = line[++pos];
            out += e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> readHex(const QByteArray& text)
{
    QByteArray out;
    for (const QByteArray& part : text.split(',')) {
        const QByteArray byte = part.trimmed();
        if (byte.isEmpty() && text.trimmed().isEmpty())
            break;
        bool ok = false;
        const uint n = byte.toUInt(&ok, 16);
        if (!ok || byte.size() > 2 || n > 0xff)
            return std::nullopt;
        out += char(n);
    }
    return out;
}

std::optional<RegValue> readValueLine(const QByteArray& line)
{
    RegValue v;
    qsizetype pos = 0;
    if (line.startsWith('@')) {
        pos = 1;
    } else {
        auto name = readQuoted(line, pos);
        if (!name)
            return std::nullopt;
        v.name = *name;
    }
    if (pos >= line.size() || line[pos] != '=')
        return std::nullopt;
    const QByteArray data = line.mid(pos + 1).trimmed();
    if (data.startsWith('"')) {
        qsizetype p = 0;
        auto text = readQuoted(data, p);
        if (!text || p != data.size())
            return std::nullopt;
        v.type = REG_SZ;
        v.data = text->toUtf8() + '\0';
    } else if (data.startsWith("dword:")) {
        const QByteArray digits = data.mid(6);
        bool ok = false;
        const quint32 n = digits.toUInt(&ok, 16);
        if (!ok || digits.size() != 8)
            return std::nullopt;
        v.type = REG_DWORD;
        v.data = QByteArray(4, '\0');
        for (int i = 0; i < 4; ++i)
            v.data[i] = char((n >> (8 * i)) & 0xff);
    } else if (data.startsWith("hex")) {
        const qsizetype colon = data.indexOf(':');
        if (colon < 0)
            return std::nullopt;
        const QByteArray kind = data.left(colon);
        if (kind == "hex") {
            v.type = REG_BINARY;
        } else if (kind.startsWith("hex(") && kind.endsWith(')')) {
            bool ok = false;
            v.type = kind.mid(4, kind.size() - 5).toUInt(&ok, 16);
            if (!ok)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
        auto bytes = readHex(data.mid(colon + 1));
        if (!bytes)
            return std::nullopt;
        v.data = *bytes;
    } else {
        return std::nullopt;
    }
    return v;
}

std::optional<QString> readKeyLine(const QByteArray& line, const QString& rootName)
{
    if (!line.endsWith(']'))
        return std::nullopt;
    const QString full = QString::fromUtf8(line.mid(1, line.size() - 2));
    if (full.compare(rootName, Qt::CaseInsensitive) == 0)
        return QString();
    if (!full.startsWith(rootName + u'\\', Qt::CaseInsensitive))
        return std::nullopt;
    return full.mid(rootName.size() + 1);
}

} // namespace

HiveParse parseHiveText(const QByteArray& text, const QString& rootName)
{
    HiveParse result;
    const QList<QByteArray> lines = text.split('\n');
    bool seenHeader = false;
    std::optional<QString> currentKey;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i].trimmed();
        const int lineNumber = i + 1;
        // regedit wraps long hex data with a trailing backslash
        while (line.endsWith('\\') && line.contains("=hex") && i + 1 < lines.size())
            line = line.chopped(1) + lines[++i].trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (!seenHeader) {
            if (line != header) {
                result.damagedLine = lineNumber;
                return result;
            }
            seenHeader = true;
            continue;
        }
        if (line.startsWith('[')) {
            currentKey = readKeyLine(line, rootName);
            if (!currentKey) {
                result.damagedLine = lineNumber;
                return result;
            }
            result.data.ensureKey(*currentKey);
            continue;
        }
        auto value = currentKey ? readValueLine(line) : std::nullopt;
        if (!value) {
            result.damagedLine = lineNumber;
            return result;
        }
        result.data.setValue(*currentKey, *value);
    }
    if (!seenHeader && !text.trimmed().isEmpty())
        result.damagedLine = 1;
    return result;
}

QByteArray hiveText(const HiveData& data, const QString& rootName)
{
    QByteArray out = QByteArray(header) + "\n";
    for (const RegKey& key : data.keys()) {
        out += "\n[" + rootName.toUtf8();
        if (!key.path.isEmpty())
            out += '\\' + key.path.toUtf8();
        out += "]\n";
        for (const RegValue& v : key.values)
            out += (v.name.isEmpty() ? QByteArray("@") : quoted(v.name)) + '=' + valueText(v) + '\n';
    }
    return out;
}

} // namespace platform::registry
