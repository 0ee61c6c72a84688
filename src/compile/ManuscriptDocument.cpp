#include "compile/ManuscriptDocument.h"

#include "compile/ManuscriptLook.h"
#include "compile/ManuscriptTypography.h"
#include "editor/WordCount.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "project/CardTexts.h"
#include "project/ProjectFiles.h"

#include <QTextBlock>
#include <algorithm>
#include <array>

namespace {
/// The type code of chapters: the first of the theme's types.
constexpr int ChapterType = 1;

/// A line holding nothing but spaces and tabs only parts paragraphs, as an empty one does.
bool IsBlank(QStringView line)
{
    for (const QChar c : line)
        if (c != u' ' && c != u'\t')
            return false;
    return true;
}

/// Whether a line holds a character that curly quotes and dashes would change.
bool HasTypewriterMarks(QStringView line)
{
    return std::any_of(line.begin(), line.end(),
        [](QChar c) { return c == u'"' || c == u'\'' || c == u'-'; });
}

/// A line holding nothing but one of the marks writers put between scenes, blanks around it.
bool IsSceneBreakMark(QStringView line)
{
    static constexpr std::array<QStringView, 7> Marks
        = { u"#", u"*", u"***", u"* * *", u"~", u"---", u"\u00A7" };
    const QStringView mark = line.trimmed();
    return std::find(Marks.begin(), Marks.end(), mark) != Marks.end();
}
} // namespace

ManuscriptDocument::ManuscriptDocument(const ManuscriptOptions& options)
    : FOptions(options)
    , FDocument(std::make_unique<QTextDocument>())
    , FCursor(FDocument.get())
{
    for (size_t kind = size_t(ManuscriptBlock::TitlePage); kind < FCharFormats.size(); ++kind) {
        FBlockFormats[kind] = ManuscriptLook::BlockFormat(ManuscriptBlock(kind), options);
        FBlockFormats[kind].setProperty(KindProperty, int(kind));
        FCharFormats[kind] = ManuscriptLook::CharFormat(ManuscriptBlock(kind), options);
    }
    for (size_t emphasis = 0; emphasis < FEmphasisFormats.size(); ++emphasis) {
        QTextCharFormat& format = FEmphasisFormats[emphasis];
        format = FCharFormats[size_t(ManuscriptBlock::Paragraph)];
        if (emphasis & 1)
            format.setFontItalic(true);
        if (emphasis & 2)
            format.setFontWeight(QFont::Bold);
    }
    // A synopsis list names every card: it has nothing else.
    if (FOptions.TitlesOnly)
        FOptions.Descriptions = FOptions.Content = false;
    FOptions.Title = PrintableText(options.Title);
    FOptions.Author = PrintableText(options.Author);
    FDocument->setUndoRedoEnabled(false);
    FDocument->setDefaultFont(ManuscriptLook::BodyFont(options.Font));
    FDocument->setMetaInformation(QTextDocument::DocumentTitle, FOptions.Title);
    if (options.StandardManuscript)
        AddTitlePage();
}

ManuscriptDocument::~ManuscriptDocument() = default;

void ManuscriptDocument::AddTitlePage()
{
    QStringList contact;
    const ManuscriptContact& given = FOptions.Contact;
    const QStringList givenLines = given.Address.split(u'\n') << given.Email << given.Phone;
    for (const QString& line : givenLines)
        if (!line.trimmed().isEmpty())
            contact << PrintableText(line.trimmed());
    // The word count follows the tab once every card is in.
    const QList<std::pair<TitleLine, QString>> lines = [&] {
        QList<std::pair<TitleLine, QString>> all { { TitleLine::NameAndWords,
            PrintableText(given.Name.trimmed()) + u'\t' } };
        for (const QString& line : contact)
            all.append({ TitleLine::Contact, line });
        all.append({ TitleLine::Title, FOptions.Title });
        all.append({ TitleLine::Byline, FOptions.Author });
        return all;
    }();
    for (const auto& [line, text] : lines) {
        QTextBlockFormat block
            = ManuscriptLook::TitlePageFormat(line, FOptions, int(contact.size()) + 1);
        block.setProperty(KindProperty, int(ManuscriptBlock::TitlePage));
        block.setProperty(TitleLineProperty, int(line));
        if (FBlocks == 0)
            FCursor.setBlockFormat(block);
        else
            FCursor.insertBlock(block, FCharFormats[size_t(ManuscriptBlock::TitlePage)]);
        FCursor.insertText(text, FCharFormats[size_t(ManuscriptBlock::TitlePage)]);
        ++FBlocks;
    }
}

bool ManuscriptDocument::Add(const QString& name, const CompileFiles& files, QString& error)
{
    CardFileData card;
    const FileRead cardRead = ReadFileIfPresent(files.CardFile, FFileBytes, error);
    if (cardRead == FileRead::Failed)
        return false;
    if (cardRead == FileRead::Read) {
        IniFile file;
        file.LoadFromBytes(FFileBytes);
        card = ReadCardFile(file);
    }
    QString text;
    if (FOptions.Content) {
        const FileRead textRead = CardTexts::ReadIfPresent(files.TextFile, FFileBytes, error);
        if (textRead == FileRead::Failed)
            return false;
        if (textRead == FileRead::Read)
            text = NormaliseLineEnds(DecodeText(FFileBytes));
    }
    const bool chapter = StoredTypeToType(card.StoredType) == ChapterType;
    // A standard manuscript names its chapters only, unless the writer wants scene titles
    // for a draft (or has nothing but titles); the step between two unnamed scenes is a break.
    const bool named = chapter || !FOptions.StandardManuscript || FOptions.SceneTitles
        || FOptions.TitlesOnly;
    FlushParagraphs();
    if (named) {
        AddBlock(chapter ? ManuscriptBlock::Chapter : ManuscriptBlock::Section, Printed(name));
        if (FOptions.Descriptions && !card.Description.isEmpty())
            AddBlock(ManuscriptBlock::Subtitle, Printed(card.Description));
        FBreakWaiting = FParagraphSince = false;
    } else {
        FBreakWaiting = FBreakWaiting || FParagraphSince;
    }
    AddText(text);
    FlushParagraphs();
    error.clear();
    return true;
}

void ManuscriptDocument::Finish()
{
    FlushParagraphs();
    if (!FOptions.StandardManuscript)
        return;
    // A list of titles has no words to count.
    if (FWords > 0) {
        QTextCursor count(FDocument->firstBlock());
        count.movePosition(QTextCursor::EndOfBlock);
        count.insertText(FOptions.WordsText.arg(FormatCount(RoundedWords(FWords), QLocale())),
            FCharFormats[size_t(ManuscriptBlock::TitlePage)]);
    }
    if (FPastTitlePage)
        AddBlock(ManuscriptBlock::End, QStringLiteral("END"));
}

QString ManuscriptDocument::Printed(const QString& text) const
{
    return FOptions.CurlyQuotes ? ManuscriptTypography::Curled(PrintableText(text))
                                : PrintableText(text);
}

void ManuscriptDocument::AddText(const QString& text)
{
    // Most writers part paragraphs with a blank line: blank lines only part them. A scene break
    // is a line of a break mark between two paragraphs; a run of them is one, and one before
    // the first or after the last paragraph is none.
    for (const QStringView line : QStringView(text).split(u'\n')) {
        if (IsBlank(line))
            continue;
        if (IsSceneBreakMark(line)) {
            FBreakWaiting = FParagraphSince;
            continue;
        }
        // Counted line by line: a break mark is no word of the book.
        FWords += CountTextWords(line);
        FParagraphSince = true;
        const bool marked = std::any_of(line.begin(), line.end(),
            [](QChar c) { return c == u'*' || c == u'_' || c == u'\\'; });
        if (marked || FBreakWaiting || FFirstParagraph) {
            QList<StyledRun> runs
                = marked ? StyledRuns(line) : QList<StyledRun> { { line.toString() } };
            if (FOptions.CurlyQuotes)
                ManuscriptTypography::Curl(runs);
            FlushParagraphs();
            AddParagraph(runs);
            continue;
        }
        // The plain paragraphs between two breaks go in at once, parted as the document parts
        // blocks: inserting them one by one cost most of building a long manuscript.
        if (FParagraphCount++ > 0)
            FParagraphs += QChar::ParagraphSeparator;
        if (FOptions.CurlyQuotes && HasTypewriterMarks(line))
            FParagraphs += ManuscriptTypography::Curled(line);
        else
            FParagraphs += line;
    }
}

void ManuscriptDocument::FlushParagraphs()
{
    if (FParagraphCount == 0)
        return;
    AddBlock(ManuscriptBlock::Paragraph, FParagraphs, FParagraphCount);
    FParagraphs.clear();
    FParagraphCount = 0;
}

QTextBlockFormat ManuscriptDocument::ParagraphFormat() const
{
    QTextBlockFormat block = FBlockFormats[size_t(ManuscriptBlock::Paragraph)];
    if (FFirstParagraph) {
        block.setProperty(FirstParagraphProperty, true);
        if (FOptions.StandardManuscript)
            block.setTextIndent(0);
    }
    return block;
}

void ManuscriptDocument::AddParagraph(const QList<StyledRun>& runs)
{
    if (FBreakWaiting) {
        AddBlock(ManuscriptBlock::SceneBreak,
            FOptions.StandardManuscript ? QStringLiteral("#") : QStringLiteral("* * *"));
        FBreakWaiting = false;
    }
    BeginBlock(ManuscriptBlock::Paragraph, ParagraphFormat(), FEmphasisFormats[0]);
    for (const StyledRun& run : runs)
        FCursor.insertText(PrintableText(run.Text),
            FEmphasisFormats[(run.Italic ? 1 : 0) | (run.Bold ? 2 : 0)]);
    FFirstParagraph = false;
    ++FBlocks;
}

void ManuscriptDocument::AddBlock(ManuscriptBlock kind, const QString& text, int blocks)
{
    if (blocks == 0)
        return;
    const QTextCharFormat& character = FCharFormats[size_t(kind)];
    BeginBlock(kind, FBlockFormats[size_t(kind)], character);
    FCursor.insertText(PrintableText(text), character);
    FBlocks += blocks;
    FFirstParagraph = kind != ManuscriptBlock::Paragraph;
}

void ManuscriptDocument::BeginBlock(
    ManuscriptBlock kind, QTextBlockFormat block, const QTextCharFormat& character)
{
    // A chapter begins a page, except the very first: no blank page in front of it; the text
    // of a standard manuscript begins on the page after its title page.
    const bool newPage = (kind == ManuscriptBlock::Chapter && FBlocks > 0)
        || (FOptions.StandardManuscript && !FPastTitlePage);
    FPastTitlePage = true;
    if (newPage)
        block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (FBlocks == 0) {
        FCursor.setBlockFormat(block);
        FCursor.setBlockCharFormat(character);
    } else {
        FCursor.insertBlock(block, character);
    }
}

ManuscriptBlock ManuscriptDocument::KindOf(const QTextBlock& block)
{
    return static_cast<ManuscriptBlock>(block.blockFormat().intProperty(KindProperty));
}

TitleLine ManuscriptDocument::TitleLineOf(const QTextBlock& block)
{
    return static_cast<TitleLine>(block.blockFormat().intProperty(TitleLineProperty));
}

QString ManuscriptDocument::PrintableText(const QString& text)
{
    // Control characters, the two noncharacters U+FFFE and U+FFFF, and surrogates (paired ones
    // are looked at closely below) are what XML cannot hold.
    const auto suspect = [](QChar c) {
        return (c.unicode() < 0x20 && c != u'\t') || c.isSurrogate() || c.unicode() >= 0xFFFE;
    };
    // Nearly every text has none: it is passed on as it is, without a copy.
    if (std::none_of(text.begin(), text.end(), suspect))
        return text;
    QString printable;
    printable.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\v' || c == u'\n') {
            printable += QChar::LineSeparator;
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            printable += c;
            printable += text[++i];
        } else if (!suspect(c)) {
            printable += c;
        }
    }
    return printable;
}

qint64 ManuscriptDocument::RoundedWords(qint64 words)
{
    const qint64 unit = words < 10000 ? 100 : 1000;
    const qint64 rounded = (words + unit / 2) / unit * unit;
    // A few dozen words are given as they are rather than as none.
    return rounded > 0 ? rounded : words;
}
