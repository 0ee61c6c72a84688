#include "compile/ManuscriptDocument.h"

#include "compile/ManuscriptLook.h"
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
        FBlockFormats[kind]
            = ManuscriptLook::BlockFormat(ManuscriptBlock(kind), options.StandardManuscript);
        FCharFormats[kind]
            = ManuscriptLook::CharFormat(ManuscriptBlock(kind), options.StandardManuscript);
    }
    FOptions.Title = PrintableText(options.Title);
    FOptions.Author = PrintableText(options.Author);
    FDocument->setUndoRedoEnabled(false);
    FDocument->setDefaultFont(ManuscriptLook::BodyFont());
    FDocument->setMetaInformation(QTextDocument::DocumentTitle, FOptions.Title);
    if (options.StandardManuscript) {
        AddBlock(ManuscriptBlock::TitlePage, FOptions.Author);
        AddBlock(ManuscriptBlock::TitlePage, QString()); // the word count, known at the end
        AddBlock(ManuscriptBlock::TitlePage, FOptions.Title);
        AddBlock(ManuscriptBlock::TitlePage, FOptions.Author);
    }
}

ManuscriptDocument::~ManuscriptDocument() = default;

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
    AddBlock(StoredTypeToType(card.StoredType) == ChapterType ? ManuscriptBlock::Chapter
                                                              : ManuscriptBlock::Section,
        name);
    if (FOptions.Descriptions && !card.Description.isEmpty())
        AddBlock(ManuscriptBlock::Subtitle, card.Description);
    AddText(text);
    error.clear();
    return true;
}

void ManuscriptDocument::Finish()
{
    if (!FOptions.StandardManuscript)
        return;
    QTextCursor count(FDocument->findBlockByNumber(1));
    count.insertText(FOptions.WordsText.arg(FormatCount(RoundedWords(FWords), QLocale())));
}

void ManuscriptDocument::AddText(const QString& text)
{
    // Most writers part paragraphs with a blank line: blank lines only part them. A scene break
    // is a line of a break mark between two paragraphs; a run of them is one, and one before
    // the first or after the last paragraph is none.
    bool started = false;
    bool sceneBreak = false;
    // The paragraphs between two scene breaks go in at once, parted as the document parts
    // blocks: inserting them one by one cost most of building a long manuscript.
    QString paragraphs;
    int count = 0;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        if (IsBlank(line))
            continue;
        if (IsSceneBreakMark(line)) {
            sceneBreak = started;
            continue;
        }
        if (sceneBreak) {
            AddBlock(ManuscriptBlock::Paragraph, paragraphs, count);
            AddBlock(ManuscriptBlock::SceneBreak, QStringLiteral("#"));
            paragraphs.clear();
            count = 0;
        }
        if (count++ > 0)
            paragraphs += QChar::ParagraphSeparator;
        paragraphs += line;
        // Counted line by line: a break mark is no word of the book.
        FWords += CountTextWords(line);
        started = true;
        sceneBreak = false;
    }
    AddBlock(ManuscriptBlock::Paragraph, paragraphs, count);
}

void ManuscriptDocument::AddBlock(ManuscriptBlock kind, const QString& text, int blocks)
{
    if (blocks == 0)
        return;
    // A chapter begins a page, except the very first: no blank page in front of it.
    const bool newPage = (kind == ManuscriptBlock::Chapter && FBlocks > 0)
        || (FOptions.StandardManuscript && kind != ManuscriptBlock::TitlePage && !FPastTitlePage);
    if (kind != ManuscriptBlock::TitlePage)
        FPastTitlePage = true;
    QTextBlockFormat block = kind == ManuscriptBlock::TitlePage
        ? ManuscriptLook::BlockFormat(kind, FOptions.StandardManuscript, FBlocks)
        : FBlockFormats[size_t(kind)];
    block.setProperty(KindProperty, static_cast<int>(kind));
    if (newPage)
        block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    const QTextCharFormat& character = FCharFormats[size_t(kind)];
    if (FBlocks == 0) {
        FCursor.setBlockFormat(block);
        FCursor.setBlockCharFormat(character);
    } else {
        FCursor.insertBlock(block, character);
    }
    FCursor.insertText(PrintableText(text), character);
    FBlocks += blocks;
}

ManuscriptBlock ManuscriptDocument::KindOf(const QTextBlock& block)
{
    return static_cast<ManuscriptBlock>(block.blockFormat().intProperty(KindProperty));
}

QString ManuscriptDocument::PrintableText(const QString& text)
{
    const auto control = [](QChar c) { return c.unicode() < 0x20 && c != u'\t'; };
    // Nearly every text has none: it is passed on as it is, without a copy.
    if (std::none_of(text.begin(), text.end(), control))
        return text;
    QString printable;
    printable.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\v' || c == u'\n')
            printable += QChar::LineSeparator;
        else if (!control(c))
            printable += c;
    }
    return printable;
}

qint64 ManuscriptDocument::RoundedWords(qint64 words)
{
    const qint64 unit = words < 1000 ? 100 : 1000;
    const qint64 rounded = (words + unit / 2) / unit * unit;
    // A few dozen words are given as they are rather than as none.
    return rounded > 0 ? rounded : words;
}
