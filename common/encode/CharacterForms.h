#pragma once

#include <QLocale>
#include <QString>

// Case, width and kana forms of a text, the character conversions of cEncode::Conv.
namespace encode {

QString ToUpper(const QString& text, const QLocale& locale);
QString ToLower(const QString& text, const QLocale& locale);
// The first letter of every word upper case, the rest lower case. A word is a run of letters,
// digits, marks and inner apostrophes, so "o'neil" gives "O'neil" and not "O'Neil".
QString ToProperCase(const QString& text, const QLocale& locale);

// Half-width (narrow) forms to full-width (wide) ones and back: ASCII and the space, the
// half-width katakana (a base followed by a voiced mark becomes one wide character), Hangul
// and symbols, taken from the Unicode <wide> and <narrow> decompositions.
QString ToWide(const QString& text);
QString ToNarrow(const QString& text);

QString HiraganaToKatakana(const QString& text);
QString KatakanaToHiragana(const QString& text);

} // namespace encode
