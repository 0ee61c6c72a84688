#include "properties/CardNameRules.h"

#include "platform/AsciiCase.h"

#include <QRegularExpression>

#include <algorithm>

bool IsForbiddenNameCharacter(QChar c)
{
    static const QString forbidden = QStringLiteral("\"*/:<>?\\|");
    return c.unicode() < 0x20 || c.unicode() == 0x7F || forbidden.contains(c);
}

bool HoldsForbiddenCharacter(const QString& name)
{
    return std::any_of(name.begin(), name.end(), IsForbiddenNameCharacter);
}

QString NormaliseCardName(const QString& typed)
{
    static const QRegularExpression blanks(QStringLiteral(" {2,}"));
    return typed.trimmed().replace(blanks, QStringLiteral(" "));
}

NameVerdict JudgeCardName(const QString& name, const QString& oldName, bool newCard,
                          bool takenByAnotherCard)
{
    // Card names compare without regard to case, as file names do on many systems.
    if (SameIgnoringAsciiCase(name, u"Compilation"))
        return NameVerdict::Compilation;
    if (HoldsForbiddenCharacter(name))
        return NameVerdict::NotUnique;
    // The card's own name in other capitals is its own, unless another card really has it.
    if (!newCard && SameIgnoringAsciiCase(name, oldName))
        return takenByAnotherCard ? NameVerdict::Taken : NameVerdict::Accepted;
    if (name.isEmpty() || SameIgnoringAsciiCase(name, u"unnamed"))
        return NameVerdict::NotUnique;
    return takenByAnotherCard ? NameVerdict::Taken : NameVerdict::Accepted;
}
