#include "spelling/DictionaryEncoding.h"

#include <QByteArray>
#include <iconv.h>

namespace {
const iconv_t NoConverter = reinterpret_cast<iconv_t>(-1);

/// The name iconv knows for the one Hunspell writes.
QByteArray IconvName(const std::string& hunspellName)
{
    QByteArray name = QByteArray::fromStdString(hunspellName).trimmed().toUpper();
    if (name.startsWith("MICROSOFT-CP"))
        return "CP" + name.mid(12);
    if (name == "TIS620-2533")
        return "TIS-620";
    return name;
}

/// Runs bytes through a converter; none when a byte sequence does not convert.
std::optional<std::string> Convert(void* handle, const QByteArray& input)
{
    auto converter = static_cast<iconv_t>(handle);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::string output(std::size_t(input.size()) * 4 + 4, '\0');
    char* in = const_cast<char*>(input.constData());
    std::size_t inLeft = std::size_t(input.size());
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == std::size_t(-1)
        || iconv(converter, nullptr, nullptr, &out, &outLeft) == std::size_t(-1))
        return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}
} // namespace

DictionaryEncoding::DictionaryEncoding(const std::string& name)
{
    const QByteArray iconvName = IconvName(name);
    FUtf8 = iconvName == "UTF-8" || iconvName == "UTF8" || iconvName.isEmpty();
    if (FUtf8)
        return;
    const iconv_t to = iconv_open(iconvName.constData(), "UTF-8");
    const iconv_t from = iconv_open("UTF-8", iconvName.constData());
    if (to != NoConverter)
        FToDictionary = to;
    if (from != NoConverter)
        FFromDictionary = from;
}

DictionaryEncoding::~DictionaryEncoding()
{
    if (FToDictionary)
        iconv_close(static_cast<iconv_t>(FToDictionary));
    if (FFromDictionary)
        iconv_close(static_cast<iconv_t>(FFromDictionary));
}

bool DictionaryEncoding::Valid() const
{
    return FUtf8 || (FToDictionary && FFromDictionary);
}

std::optional<std::string> DictionaryEncoding::Encode(const QString& word) const
{
    if (FUtf8)
        return word.toStdString();
    if (!FToDictionary)
        return std::nullopt;
    return Convert(FToDictionary, word.toUtf8());
}

QString DictionaryEncoding::Decode(const std::string& bytes) const
{
    if (FUtf8)
        return QString::fromStdString(bytes);
    if (!FFromDictionary)
        return {};
    const auto utf8 = Convert(FFromDictionary, QByteArray::fromStdString(bytes));
    return utf8 ? QString::fromStdString(*utf8) : QString();
}
