// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/userlanguage.h"

#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

struct TLanguageId
{
    QLocale::Language Language;
    QLocale::Territory Territory;
    quint16 Id;
};

constexpr quint16 NeutralDefault = 0x0400;

// The first entry of each language is its main identifier, used for countries not listed.
constexpr TLanguageId LanguageIds[] = {
    {QLocale::English, QLocale::UnitedStates, 0x0409},
    {QLocale::English, QLocale::UnitedKingdom, 0x0809},
    {QLocale::English, QLocale::Australia, 0x0C09},
    {QLocale::English, QLocale::Canada, 0x1009},
    {QLocale::English, QLocale::NewZealand, 0x1409},
    {QLocale::English, QLocale::Ireland, 0x1809},
    {QLocale::English, QLocale::SouthAfrica, 0x1C09},
    {QLocale::English, QLocale::Jamaica, 0x2009},
    {QLocale::English, QLocale::Belize, 0x2809},
    {QLocale::English, QLocale::TrinidadAndTobago, 0x2C09},
    {QLocale::English, QLocale::Zimbabwe, 0x3009},
    {QLocale::English, QLocale::Philippines, 0x3409},
    {QLocale::English, QLocale::India, 0x4009},
    {QLocale::English, QLocale::Malaysia, 0x4409},
    {QLocale::English, QLocale::Singapore, 0x4809},

    {QLocale::Chinese, QLocale::China, 0x0804},
    {QLocale::Chinese, QLocale::Taiwan, 0x0404},
    {QLocale::Chinese, QLocale::HongKong, 0x0C04},
    {QLocale::Chinese, QLocale::Singapore, 0x1004},
    {QLocale::Chinese, QLocale::Macao, 0x1404},

    {QLocale::Hindi, QLocale::India, 0x0439},

    // Spain's modern sort order, as current systems report it.
    {QLocale::Spanish, QLocale::Spain, 0x0C0A},
    {QLocale::Spanish, QLocale::Mexico, 0x080A},
    {QLocale::Spanish, QLocale::Guatemala, 0x100A},
    {QLocale::Spanish, QLocale::CostaRica, 0x140A},
    {QLocale::Spanish, QLocale::Panama, 0x180A},
    {QLocale::Spanish, QLocale::DominicanRepublic, 0x1C0A},
    {QLocale::Spanish, QLocale::Venezuela, 0x200A},
    {QLocale::Spanish, QLocale::Colombia, 0x240A},
    {QLocale::Spanish, QLocale::Peru, 0x280A},
    {QLocale::Spanish, QLocale::Argentina, 0x2C0A},
    {QLocale::Spanish, QLocale::Ecuador, 0x300A},
    {QLocale::Spanish, QLocale::Chile, 0x340A},
    {QLocale::Spanish, QLocale::Uruguay, 0x380A},
    {QLocale::Spanish, QLocale::Paraguay, 0x3C0A},
    {QLocale::Spanish, QLocale::Bolivia, 0x400A},
    {QLocale::Spanish, QLocale::ElSalvador, 0x440A},
    {QLocale::Spanish, QLocale::Honduras, 0x480A},
    {QLocale::Spanish, QLocale::Nicaragua, 0x4C0A},
    {QLocale::Spanish, QLocale::PuertoRico, 0x500A},
    {QLocale::Spanish, QLocale::UnitedStates, 0x540A},

    {QLocale::French, QLocale::France, 0x040C},
    {QLocale::French, QLocale::Belgium, 0x080C},
    {QLocale::French, QLocale::Canada, 0x0C0C},
    {QLocale::French, QLocale::Switzerland, 0x100C},
    {QLocale::French, QLocale::Luxembourg, 0x140C},
    {QLocale::French, QLocale::Monaco, 0x180C},

    {QLocale::Arabic, QLocale::SaudiArabia, 0x0401},
    {QLocale::Arabic, QLocale::Iraq, 0x0801},
    {QLocale::Arabic, QLocale::Egypt, 0x0C01},
    {QLocale::Arabic, QLocale::Libya, 0x1001},
    {QLocale::Arabic, QLocale::Algeria, 0x1401},
    {QLocale::Arabic, QLocale::Morocco, 0x1801},
    {QLocale::Arabic, QLocale::Tunisia, 0x1C01},
    {QLocale::Arabic, QLocale::Oman, 0x2001},
    {QLocale::Arabic, QLocale::Yemen, 0x2401},
    {QLocale::Arabic, QLocale::Syria, 0x2801},
    {QLocale::Arabic, QLocale::Jordan, 0x2C01},
    {QLocale::Arabic, QLocale::Lebanon, 0x3001},
    {QLocale::Arabic, QLocale::Kuwait, 0x3401},
    {QLocale::Arabic, QLocale::UnitedArabEmirates, 0x3801},
    {QLocale::Arabic, QLocale::Bahrain, 0x3C01},
    {QLocale::Arabic, QLocale::Qatar, 0x4001},

    {QLocale::Bengali, QLocale::India, 0x0445},
    {QLocale::Bengali, QLocale::Bangladesh, 0x0845},
    {QLocale::Portuguese, QLocale::Brazil, 0x0416},
    {QLocale::Portuguese, QLocale::Portugal, 0x0816},
    {QLocale::Russian, QLocale::Russia, 0x0419},
    {QLocale::Urdu, QLocale::Pakistan, 0x0420},
    {QLocale::Urdu, QLocale::India, 0x0820},
    {QLocale::Indonesian, QLocale::Indonesia, 0x0421},
    {QLocale::German, QLocale::Germany, 0x0407},
    {QLocale::German, QLocale::Switzerland, 0x0807},
    {QLocale::German, QLocale::Austria, 0x0C07},
    {QLocale::German, QLocale::Luxembourg, 0x1007},
    {QLocale::German, QLocale::Liechtenstein, 0x1407},
    {QLocale::Japanese, QLocale::Japan, 0x0411},
    {QLocale::Swahili, QLocale::Kenya, 0x0441},
    {QLocale::Marathi, QLocale::India, 0x044E},
    {QLocale::Telugu, QLocale::India, 0x044A},
    {QLocale::Turkish, QLocale::Turkey, 0x041F},
    {QLocale::Tamil, QLocale::India, 0x0449},
    {QLocale::Tamil, QLocale::SriLanka, 0x0849},
    {QLocale::Vietnamese, QLocale::Vietnam, 0x042A},
    {QLocale::Korean, QLocale::SouthKorea, 0x0412},
    {QLocale::Italian, QLocale::Italy, 0x0410},
    {QLocale::Italian, QLocale::Switzerland, 0x0810},
    {QLocale::Persian, QLocale::Iran, 0x0429},
    {QLocale::Gujarati, QLocale::India, 0x0447},
    {QLocale::Polish, QLocale::Poland, 0x0415},
    {QLocale::Ukrainian, QLocale::Ukraine, 0x0422},
    {QLocale::Kannada, QLocale::India, 0x044B},
    {QLocale::Malayalam, QLocale::India, 0x044C},
    {QLocale::Punjabi, QLocale::India, 0x0446},
    {QLocale::Thai, QLocale::Thailand, 0x041E},
    {QLocale::Malay, QLocale::Malaysia, 0x043E},
    {QLocale::Malay, QLocale::Brunei, 0x083E},
    {QLocale::Dutch, QLocale::Netherlands, 0x0413},
    {QLocale::Dutch, QLocale::Belgium, 0x0813},
    {QLocale::Filipino, QLocale::Philippines, 0x0464},
    {QLocale::Romanian, QLocale::Romania, 0x0418},
    {QLocale::Greek, QLocale::Greece, 0x0408},
    {QLocale::Czech, QLocale::Czechia, 0x0405},
    {QLocale::Hungarian, QLocale::Hungary, 0x040E},
    {QLocale::Swedish, QLocale::Sweden, 0x041D},
    {QLocale::Swedish, QLocale::Finland, 0x081D},
    {QLocale::Hebrew, QLocale::Israel, 0x040D},
    {QLocale::Danish, QLocale::Denmark, 0x0406},
    {QLocale::Finnish, QLocale::Finland, 0x040B},
    {QLocale::NorwegianBokmal, QLocale::Norway, 0x0414},
    {QLocale::NorwegianNynorsk, QLocale::Norway, 0x0814},
    {QLocale::Slovak, QLocale::Slovakia, 0x041B},
    {QLocale::Bulgarian, QLocale::Bulgaria, 0x0402},
    {QLocale::Croatian, QLocale::Croatia, 0x041A},
    {QLocale::Catalan, QLocale::Spain, 0x0403},
};

std::optional<quint32> ReadValue;

quint32 ReadUserLanguageId()
{
#ifdef Q_OS_WIN
    return GetUserDefaultLangID();
#else
    return LanguageIdForLocale(QLocale::system());
#endif
}

} // namespace

quint32 LanguageIdForLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return 0x0409;
    const TLanguageId *main = nullptr;
    for (const TLanguageId &entry : LanguageIds) {
        if (entry.Language != locale.language())
            continue;
        if (entry.Territory == locale.territory())
            return entry.Id;
        if (!main)
            main = &entry;
    }
    return main ? main->Id : NeutralDefault;
}

void InitUserLanguageId()
{
    if (!ReadValue)
        ReadValue = ReadUserLanguageId();
}

quint32 UserLanguageId()
{
    InitUserLanguageId();
    return *ReadValue;
}
