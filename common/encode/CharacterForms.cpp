#include "common/encode/CharacterForms.h"

#include <QHash>

namespace encode {

namespace {

constexpr char16_t kCombiningVoiced = 0x3099;
constexpr char16_t kCombiningSemiVoiced = 0x309A;
constexpr char16_t kSpacingVoiced = 0x309B;
constexpr char16_t kSpacingSemiVoiced = 0x309C;
constexpr char16_t kNarrowVoiced = 0xFF9E;
constexpr char16_t kNarrowSemiVoiced = 0xFF9F;

bool inWord(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

// Maps each character with a one-character <tag> decomposition in [first, last] to its target,
// or the other way round.
QHash<char16_t, char16_t> decompositionMap(char16_t first, char16_t last, QChar::Decomposition tag, bool reverse)
{
    QHash<char16_t, char16_t> map;
    for (char32_t code = first; code <= last; ++code) {
        const QChar c{char16_t(code)};
        const QString target = c.decomposition();
        if (c.decompositionTag() != tag || target.size() != 1)
            continue;
        if (reverse)
            map.insert(target.at(0).unicode(), char16_t(code));
        else
            map.insert(char16_t(code), target.at(0).unicode());
    }
    return map;
}

const QHash<char16_t, char16_t>& narrowToWide()
{
    static const QHash<char16_t, char16_t> map = [] {
        auto wide = decompositionMap(0xFF01, 0xFFEE, QChar::Wide, true);
        wide.insert(u' ', 0x3000);
        wide.insert(decompositionMap(0xFF61, 0xFFEE, QChar::Narrow, false));
        // A voiced mark standing alone becomes the spacing mark, not the combining one.
        wide.insert(kNarrowVoiced, kSpacingVoiced);
        wide.insert(kNarrowSemiVoiced, kSpacingSemiVoiced);
        return wide;
    }();
    return map;
}

const QHash<char16_t, char16_t>& wideToNarrow()
{
    static const QHash<char16_t, char16_t> map = [] {
        auto narrow = decompositionMap(0xFF01, 0xFFEE, QChar::Wide, false);
        narrow.insert(0x3000, u' ');
        narrow.insert(decompositionMap(0xFF61, 0xFFEE, QChar::Narrow, true));
        narrow.insert(kSpacingVoiced, kNarrowVoiced);
        narrow.insert(kSpacingSemiVoiced, kNarrowSemiVoiced);
        narrow.insert(kCombiningVoiced, kNarrowVoiced);
        narrow.insert(kCombiningSemiVoiced, kNarrowSemiVoiced);
        return narrow;
    }();
    return map;
}

// A wide base and a voiced mark composed into one character, or 0 when they do not compose.
char16_t composeVoiced(char16_t base, char16_t narrowMark)
{
    const char16_t mark = narrowMark == kNarrowVoiced ? kCombiningVoiced : kCombiningSemiVoiced;
    const QChar pair[] = {QChar(base), QChar(mark)};
    const QString composed = QString(pair, 2).normalized(QString::NormalizationForm_C);
    return composed.size() == 1 ? composed.at(0).unicode() : 0;
}

// Hiragana and katakana sit in parallel blocks 0x60 apart: the letters, then two iteration marks.
QString shiftKana(const QString& text, char16_t firstLetter, char16_t lastLetter, char16_t firstMark, int offset)
{
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if ((u >= firstLetter && u <= lastLetter) || u == firstMark || u == firstMark + 1)
            c = QChar(char16_t(u + offset));
    }
    return out;
}

} // namespace

QString ToUpper(const QString& text, const QLocale& locale)
{
    return locale.toUpper(text);
}

QString ToLower(const QString& text, const QLocale& locale)
{
    return locale.toLower(text);
}

QString ToProperCase(const QString& text, const QLocale& locale)
{
    const QString lower = locale.toLower(text);
    QString out;
    out.reserve(lower.size());
    bool wordStarted = false;
    for (qsizetype i = 0; i < lower.size(); ++i) {
        const QChar c = lower.at(i);
        const bool innerApostrophe = c == u'\'' && wordStarted && i + 1 < lower.size() && inWord(lower.at(i + 1));
        if (!inWord(c) && !innerApostrophe) {
            wordStarted = false;
            out += c;
            continue;
        }
        if (wordStarted || !c.isLetter()) {
            wordStarted = true;
            out += c;
            continue;
        }
        wordStarted = true;
        const qsizetype length = c.isHighSurrogate() && i + 1 < lower.size() ? 2 : 1;
        out += locale.toUpper(lower.mid(i, length));
        i += length - 1;
    }
    return out;
}

QString ToWide(const QString& text)
{
    const auto& map = narrowToWide();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        const char16_t wide = map.value(u, u);
        const char16_t next = i + 1 < text.size() ? text.at(i + 1).unicode() : 0;
        if (u >= 0xFF61 && (next == kNarrowVoiced || next == kNarrowSemiVoiced)) {
            if (const char16_t composed = composeVoiced(wide, next)) {
                out += QChar(composed);
                ++i;
                continue;
            }
        }
        out += QChar(wide);
    }
    return out;
}

QString ToNarrow(const QString& text)
{
    const auto& map = wideToNarrow();
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (const auto found = map.constFind(u); found != map.constEnd()) {
            out += QChar(*found);
            continue;
        }
        // A voiced katakana has no narrow form of its own: its base and the narrow mark.
        const QString parts = c.decompositionTag() == QChar::Canonical ? c.decomposition() : QString();
        if (parts.size() == 2 && (parts.at(1) == kCombiningVoiced || parts.at(1) == kCombiningSemiVoiced)
            && map.contains(parts.at(0).unicode())) {
            out += QChar(map.value(parts.at(0).unicode()));
            out += QChar(parts.at(1) == kCombiningVoiced ? kNarrowVoiced : kNarrowSemiVoiced);
            continue;
        }
        out += c;
    }
    return out;
}

QString HiraganaToKatakana(const QString& text)
{
    return shiftKana(text, 0x3041, 0x3096, 0x309D, 0x60);
}

QString KatakanaToHiragana(const QString& text)
{
    return shiftKana(text, 0x30A1, 0x30F6, 0x30FD, -0x60);
}

} // namespace encode
