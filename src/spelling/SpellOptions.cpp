#include "spelling/SpellOptions.h"

#include <QStringList>
#include <array>

namespace {
constexpr std::array<const char*, SpellOptions::Count> Names = { "soLiveSpelling", "soLiveCorrect",
    "soUpcase", "soNumbers", "soHTML", "soInternet", "soQuoted", "soAbbreviations", "soPrimaryOnly",
    "soRepeated", "soDUalCaps", "soUser1", "soUser2", "soUser3", "soUser4" };
} // namespace

SpellOptions::SpellOptions(std::initializer_list<TSpellOption> options)
{
    for (const TSpellOption option : options)
        FBits.set(option);
}

QString SpellOptionName(TSpellOption option)
{
    return QString::fromLatin1(Names[option]);
}

QString SpellOptions::Names() const
{
    QStringList names;
    for (int i = 0; i < Count; ++i) {
        if (FBits.test(i))
            names << SpellOptionName(TSpellOption(i));
    }
    return names.join(',');
}

SpellOptions SpellOptions::FromNames(const QString& names)
{
    SpellOptions options;
    for (const QString& name : names.split(',', Qt::SkipEmptyParts)) {
        for (int i = 0; i < Count; ++i) {
            if (name.trimmed() == SpellOptionName(TSpellOption(i)))
                options.Set(TSpellOption(i), true);
        }
    }
    return options;
}
