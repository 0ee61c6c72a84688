#include "spelling/Thesaurus.h"

#include "spelling/LookUpWord.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <mythes.hxx>

namespace {
/// The index and data files of one thesaurus.
struct ThesaurusFiles {
    QString Index;
    QString Data;
};

/// Whether a thesaurus file's name ("th_de_DE_v2") serves a locale ("de_DE" or "de").
bool Serves(const QString& baseName, const QString& locale)
{
    const QString rest = baseName.mid(3);
    return rest == locale || rest.startsWith(locale + u'_');
}

/// The thesauri that serve a language, the best first: the first folder that holds any, and in
/// it the most specific locale.
QList<ThesaurusFiles> Candidates(const QStringList& folders, ThesaurusLanguage language)
{
    QList<ThesaurusFiles> found;
    for (const QString& folder : folders) {
        const QStringList names = QDir(folder).entryList({ "th_*.idx" }, QDir::Files, QDir::Name);
        for (const QString& locale : ThesaurusLocales(language)) {
            for (const QString& name : names) {
                const QString base = name.chopped(4);
                const QString data = folder + base + ".dat";
                if (Serves(base, locale) && QFileInfo(data).isFile())
                    found.append({ folder + name, data });
            }
        }
    }
    return found;
}

/// The name of an encoding as the converters know it: MyThes data writes "ISO8859-1".
QByteArray ConverterName(QByteArray encoding)
{
    encoding = encoding.trimmed();
    if (encoding.startsWith("ISO8859"))
        encoding.insert(3, '-');
    return encoding;
}
} // namespace

QStringList SystemThesaurusFolders()
{
    return { QStringLiteral("/usr/share/mythes/"), QStringLiteral("/usr/share/myspell/dicts/") };
}

TThesaurus::TThesaurus(QStringList folders)
    : FFolders(std::move(folders))
{
}

TThesaurus::~TThesaurus() = default;

bool TThesaurus::Open()
{
    QList<ThesaurusFiles> candidates = Candidates(FFolders, FLanguage);
    if (FLanguage != ThesaurusLanguage::ltEnglish)
        candidates += Candidates(FFolders, ThesaurusLanguage::ltEnglish);
    for (const ThesaurusFiles& files : std::as_const(candidates)) {
        if (FData && files.Index == FIndexPath)
            return true;
        auto data = std::make_unique<MyThes>(
            QFile::encodeName(files.Index).constData(), QFile::encodeName(files.Data).constData());
        // MyThes forgets the encoding of data it could not open.
        const char* encoding = data->get_th_encoding();
        if (!encoding || !QStringDecoder(ConverterName(encoding).constData()).isValid())
            continue;
        FEncoding = ConverterName(encoding);
        FIndexPath = files.Index;
        FData = std::move(data);
        return true;
    }
    FData.reset();
    FIndexPath.clear();
    return false;
}

QList<ThesaurusMeaning> TThesaurus::Lookup(const QString& word)
{
    if (!FData)
        return {};
    for (const QString& form : LookUpForms(word)) {
        QStringEncoder encode(FEncoding.constData());
        const QByteArray bytes = encode(form);
        if (encode.hasError() || bytes.isEmpty())
            continue;
        mentry* entries = nullptr;
        const int count = FData->Lookup(bytes.constData(), int(bytes.size()), &entries);
        QList<ThesaurusMeaning> meanings;
        QStringDecoder decode(FEncoding.constData());
        for (int i = 0; i < count && entries; ++i) {
            ThesaurusMeaning meaning;
            meaning.Definition = decode(QByteArrayView(entries[i].defn ? entries[i].defn : ""));
            for (int s = 0; s < entries[i].count; ++s) {
                if (entries[i].psyns && entries[i].psyns[s])
                    meaning.Synonyms.append(decode(QByteArrayView(entries[i].psyns[s])));
            }
            meanings.append(meaning);
        }
        FData->CleanUpAfterLookup(&entries, count);
        if (!meanings.isEmpty())
            return meanings;
    }
    return {};
}
