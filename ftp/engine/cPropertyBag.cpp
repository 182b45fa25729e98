#include "ftp/engine/cPropertyBag.h"

#include <QList>

namespace {

const QByteArray kHeader = "DuopanePropertyBag 1";

QByteArray escaped(const QString& text)
{
    QByteArray out;
    for (char c : text.toUtf8()) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
        }
    }
    return out;
}

bool unescaped(const QByteArray& in, QString& text)
{
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out += in[i];
            continue;
        }
        if (++i >= in.size())
            return false;
        switch (in[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        default: return false;
        }
    }
    text = QString::fromUtf8(out);
    return true;
}

} // namespace

void cPropertyBag::WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue)
{
    if (defaultValue.isValid() && value == defaultValue) {
        m_names.removeOne(name);
        m_values.remove(name);
        return;
    }
    insert(name, value);
}

void cPropertyBag::insert(const QString& name, const QVariant& value)
{
    if (!m_values.contains(name))
        m_names.append(name);
    m_values.insert(name, value);
}

QVariant cPropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const
{
    return m_values.value(name, defaultValue);
}

QByteArray cPropertyBag::Contents() const
{
    QByteArray out = kHeader + '\n';
    for (const QString& name : m_names) {
        const QVariant& value = m_values.value(name);
        QByteArray type = "S";
        QByteArray text;
        if (value.typeId() == QMetaType::Short) {
            type = "I";
            text = QByteArray::number(value.value<qint16>());
        } else if (value.typeId() == QMetaType::Int) {
            type = "L";
            text = QByteArray::number(value.toInt());
        } else {
            text = escaped(value.toString());
        }
        out += escaped(name) + '\t' + type + '\t' + text + '\n';
    }
    return out;
}

void cPropertyBag::SetContents(const QByteArray& contents)
{
    m_values.clear();
    m_names.clear();
    const QList<QByteArray> lines = contents.split('\n');
    if (lines.isEmpty() || lines.first() != kHeader)
        return;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split('\t');
        QString name;
        if (fields.size() != 3 || !unescaped(fields[0], name))
            return;
        bool ok = true;
        if (fields[1] == "I") {
            const short number = fields[2].toShort(&ok);
            insert(name, QVariant::fromValue<qint16>(number));
        } else if (fields[1] == "L") {
            insert(name, fields[2].toInt(&ok));
        } else {
            QString text;
            ok = fields[1] == "S" && unescaped(fields[2], text);
            insert(name, text);
        }
        if (!ok) {
            m_names.removeOne(name);
            m_values.remove(name);
            return;
        }
    }
}
