#include "properties/CardNameRules.h"

#include "platform/AsciiCase.h"

#include <QRegularExpression>

#include <algorithm>

bool IsForbiddenNameCharacter(QChar c)
{
    static const QString forbidden = QStringLiteral("\"*/:<>?\\|");
    return c.unicode() < 0x20 || c.unicode() == 0x7F || forbidden.contains(c);
}

bool IsDroppedWhenTyped(QChar c)
{
    // DEL is a control character too: X11 sends it as the Delete key's text.
    return c.unicode() >= 0x20 && c.unicode() != 0x7F && IsForbiddenNameCharacter(c);
}

std::optional<QChar> FirstForbiddenCharacter(const QString& name)
{
    const auto found = std::find_if(name.begin(), name.end(), IsForbiddenNameCharacter);
    return found == name.end() ? std::nullopt : std::optional<QChar>(*found);
}

QString ShownCharacter(QChar c)
{
    if (c.unicode() < 0x20 || c.unicode() == 0x7F)
        return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return "'" + QString(c) + "'";
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
    if (!newCard && name == oldName)
        return NameVerdict::Accepted;
    if (FirstForbiddenCharacter(name))
        return NameVerdict::Forbidden;
    // The card's own name in other capitals is its own, unless another card has it so spelt.
    if (!newCard && SameIgnoringAsciiCase(name, oldName))
        return takenByAnotherCard ? NameVerdict::Taken : NameVerdict::Accepted;
    if (name.isEmpty() || SameIgnoringAsciiCase(name, u"unnamed"))
        return NameVerdict::NotUnique;
    return takenByAnotherCard ? NameVerdict::Taken : NameVerdict::Accepted;
}

QString DuplicateName(const QString& name, const std::function<bool(const QString&)>& taken,
                      int maxLength)
{
    // At most nine digits: a longer number is part of the name, and the count never overflows.
    static const QRegularExpression numbered(QStringLiteral("^(.*\\S) ([0-9]{1,9})$"));
    QString base = name;
    qint64 number = 2;
    if (const QRegularExpressionMatch match = numbered.match(name); match.hasMatch()) {
        base = match.captured(1);
        number = std::max<qint64>(2, match.captured(2).toLongLong() + 1);
    }
    for (;; ++number) {
        const QString candidate = base + ' ' + QString::number(number);
        // Each further number is as long or longer: none after this one fits either.
        if (candidate.size() > maxLength)
            return {};
        if (JudgeCardName(candidate, {}, true, taken(candidate)) == NameVerdict::Accepted)
            return candidate;
    }
}
