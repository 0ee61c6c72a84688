#include "compile/ManuscriptSettings.h"

#include "platform/IniFile.h"
#include "project/ProjectKey.h"

#include <QDir>

namespace {
/// The last export of any project.
const QString LastSection = QStringLiteral("Manuscript");
/// Where the compile window kept its byline and form before the Export dialog.
const QString OlderSection = QStringLiteral("Compilation");

const QString FormatKey = QStringLiteral("Format");
const QString FolderKey = QStringLiteral("Folder");
const QString ProjectKeyName = QStringLiteral("Project");
const QString TitlesOnlyKey = QStringLiteral("TitlesOnly");
const QString StandardKey = QStringLiteral("StandardManuscript");
const QString SceneTitlesKey = QStringLiteral("SceneTitles");
const QString CurlyQuotesKey = QStringLiteral("CurlyQuotes");
const QString FontKey = QStringLiteral("Font");
const QString PaperKey = QStringLiteral("Paper");
const QString AuthorKey = QStringLiteral("Author");
const QString NameKey = QStringLiteral("Name");
const QString AddressKey = QStringLiteral("Address%1");
const QString EmailKey = QStringLiteral("Email");
const QString PhoneKey = QStringLiteral("Phone");

const QString TimesName = QStringLiteral("TimesNewRoman");
const QString CourierName = QStringLiteral("CourierNew");
const QString LetterName = QStringLiteral("Letter");
const QString A4Name = QStringLiteral("A4");

/// Whether `folder` is the project folder `project` (with its trailing "/") or lies inside it.
bool InsideFolder(const QString& folder, const QString& project)
{
    if (project.isEmpty())
        return false;
    return (QDir::cleanPath(folder) + u'/').startsWith(QDir::cleanPath(project) + u'/');
}

/// Reads one section as written by Write.
ManuscriptSettings ReadSection(const IniFile& file, const QString& section, ManuscriptPaper paper)
{
    ManuscriptSettings settings;
    const QString suffix = file.ReadString(section, FormatKey, QString());
    for (const ManuscriptFormat format : ManuscriptFormats())
        if (SuffixOf(format).compare(suffix, Qt::CaseInsensitive) == 0)
            settings.Format = format;
    settings.Folder = file.ReadUntrimmed(section, FolderKey, QString());
    settings.TitlesOnly = file.ReadBool(section, TitlesOnlyKey, settings.TitlesOnly);
    settings.StandardManuscript = file.ReadBool(section, StandardKey, settings.StandardManuscript);
    settings.SceneTitles = file.ReadBool(section, SceneTitlesKey, settings.SceneTitles);
    settings.CurlyQuotes = file.ReadBool(section, CurlyQuotesKey, settings.CurlyQuotes);
    const QString font = file.ReadString(section, FontKey, QString());
    settings.Font = font.compare(CourierName, Qt::CaseInsensitive) == 0
        ? ManuscriptFont::CourierNew
        : ManuscriptFont::TimesNewRoman;
    const QString paperName = file.ReadString(section, PaperKey, QString());
    settings.Paper = paperName.compare(LetterName, Qt::CaseInsensitive) == 0
        ? ManuscriptPaper::Letter
        : paperName.compare(A4Name, Qt::CaseInsensitive) == 0 ? ManuscriptPaper::A4
                                                              : paper;
    settings.Author = file.ReadUntrimmed(section, AuthorKey, QString());
    settings.Contact.Name = file.ReadUntrimmed(section, NameKey, QString());
    // An address of a few lines is kept a line a key, as a value is one line.
    QStringList address;
    for (int line = 1; file.HasKey(section, AddressKey.arg(line)); ++line)
        address << file.ReadUntrimmed(section, AddressKey.arg(line), QString());
    while (!address.isEmpty() && address.last().trimmed().isEmpty())
        address.removeLast();
    settings.Contact.Address = address.join(u'\n');
    settings.Contact.Email = file.ReadUntrimmed(section, EmailKey, QString());
    settings.Contact.Phone = file.ReadUntrimmed(section, PhoneKey, QString());
    return settings;
}

void WriteSection(IniFile& file, const QString& section, const ManuscriptSettings& settings)
{
    file.WriteString(section, FormatKey, SuffixOf(settings.Format));
    file.WriteString(section, FolderKey, settings.Folder);
    file.WriteBool(section, TitlesOnlyKey, settings.TitlesOnly);
    file.WriteBool(section, StandardKey, settings.StandardManuscript);
    file.WriteBool(section, SceneTitlesKey, settings.SceneTitles);
    file.WriteBool(section, CurlyQuotesKey, settings.CurlyQuotes);
    file.WriteString(
        section, FontKey, settings.Font == ManuscriptFont::CourierNew ? CourierName : TimesName);
    file.WriteString(
        section, PaperKey, settings.Paper == ManuscriptPaper::Letter ? LetterName : A4Name);
    file.WriteString(section, AuthorKey, settings.Author);
    file.WriteString(section, NameKey, settings.Contact.Name);
    QStringList address = settings.Contact.Address.split(u'\n');
    for (QString& line : address)
        if (line.endsWith(u'\r'))
            line.chop(1);
    while (!address.isEmpty() && address.last().trimmed().isEmpty())
        address.removeLast();
    int line = 1;
    for (; line <= address.size(); ++line)
        file.WriteString(section, AddressKey.arg(line), address[line - 1]);
    // The lines of a longer address kept before are emptied, so they do not come back.
    for (; file.HasKey(section, AddressKey.arg(line)); ++line)
        file.WriteString(section, AddressKey.arg(line), QString());
    file.WriteString(section, EmailKey, settings.Contact.Email);
    file.WriteString(section, PhoneKey, settings.Contact.Phone);
}
} // namespace

bool ManuscriptSettings::operator==(const ManuscriptSettings& other) const
{
    return Format == other.Format && Folder == other.Folder && TitlesOnly == other.TitlesOnly
        && StandardManuscript == other.StandardManuscript && SceneTitles == other.SceneTitles
        && CurlyQuotes == other.CurlyQuotes && Font == other.Font && Paper == other.Paper
        && Author == other.Author && Contact.Name == other.Contact.Name
        && Contact.Address == other.Contact.Address && Contact.Email == other.Contact.Email
        && Contact.Phone == other.Contact.Phone;
}

QString ManuscriptSettings::SectionOf(const QString& projectFolder, const QString& projectFileName)
{
    QString key = ProjectKey(projectFolder, projectFileName);
    // A section's name ends at its first "]" and is one line: a project named "Draft [old]"
    // keeps its own section all the same (the key's hash keeps projects apart).
    for (QChar& c : key) {
        if (c == u'[')
            c = u'(';
        else if (c == u']')
            c = u')';
        else if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return LastSection + u' ' + key;
}

ManuscriptSettings ManuscriptSettings::Read(const IniFile& file, const QString& projectFolder,
    const QString& projectFileName, ManuscriptPaper paper)
{
    const QString own = SectionOf(projectFolder, projectFileName);
    if (file.HasKey(own, FormatKey))
        return ReadSection(file, own, paper);
    if (file.HasKey(LastSection, FormatKey)) {
        ManuscriptSettings settings = ReadSection(file, LastSection, paper);
        // Another project's own folder is no place for this one's manuscript.
        if (InsideFolder(settings.Folder, file.ReadUntrimmed(LastSection, ProjectKeyName, {})))
            settings.Folder.clear();
        return settings;
    }
    ManuscriptSettings settings;
    settings.Paper = paper;
    settings.Author = file.ReadUntrimmed(OlderSection, AuthorKey, QString());
    settings.StandardManuscript = file.ReadBool(OlderSection, StandardKey, false);
    return settings;
}

void ManuscriptSettings::Write(
    IniFile& file, const QString& projectFolder, const QString& projectFileName) const
{
    WriteSection(file, SectionOf(projectFolder, projectFileName), *this);
    WriteSection(file, LastSection, *this);
    file.WriteString(LastSection, ProjectKeyName, projectFolder);
}

void ManuscriptSettings::ApplyTo(ManuscriptOptions& options) const
{
    options.TitlesOnly = TitlesOnly;
    options.StandardManuscript = StandardManuscript;
    options.SceneTitles = SceneTitles;
    options.CurlyQuotes = CurlyQuotes;
    options.Font = Font;
    options.Paper = Paper;
    options.Author = Author;
    options.Contact = Contact;
}
