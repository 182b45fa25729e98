#include "platform/core/LocaleId.h"

#include <array>
#include <utility>

namespace platform {

namespace {

// Primary language identifiers (the low ten bits of an LCID).
constexpr std::array<std::pair<quint16, QLocale::Language>, 42> kLanguages{{
    {0x01, QLocale::Arabic},     {0x02, QLocale::Bulgarian},  {0x03, QLocale::Catalan},
    {0x04, QLocale::Chinese},    {0x05, QLocale::Czech},      {0x06, QLocale::Danish},
    {0x07, QLocale::German},     {0x08, QLocale::Greek},      {0x09, QLocale::English},
    {0x0A, QLocale::Spanish},    {0x0B, QLocale::Finnish},    {0x0C, QLocale::French},
    {0x0D, QLocale::Hebrew},     {0x0E, QLocale::Hungarian},  {0x0F, QLocale::Icelandic},
    {0x10, QLocale::Italian},    {0x11, QLocale::Japanese},   {0x12, QLocale::Korean},
    {0x13, QLocale::Dutch},      {0x14, QLocale::NorwegianBokmal}, {0x15, QLocale::Polish},
    {0x16, QLocale::Portuguese}, {0x18, QLocale::Romanian},   {0x19, QLocale::Russian},
    {0x1A, QLocale::Croatian},   {0x1B, QLocale::Slovak},     {0x1C, QLocale::Albanian},
    {0x1D, QLocale::Swedish},    {0x1E, QLocale::Thai},       {0x1F, QLocale::Turkish},
    {0x20, QLocale::Urdu},       {0x21, QLocale::Indonesian}, {0x22, QLocale::Ukrainian},
    {0x23, QLocale::Belarusian}, {0x24, QLocale::Slovenian},  {0x25, QLocale::Estonian},
    {0x26, QLocale::Latvian},    {0x27, QLocale::Lithuanian}, {0x2A, QLocale::Vietnamese},
    {0x2C, QLocale::Azerbaijani}, {0x2D, QLocale::Basque},    {0x2F, QLocale::Macedonian},
}};

} // namespace

QLocale LocaleOfId(quint32 localeId)
{
    const quint16 primary = quint16(localeId & 0x3FF);
    for (const auto& [id, language] : kLanguages) {
        if (id == primary)
            return QLocale(language);
    }
    return QLocale::system();
}

} // namespace platform
