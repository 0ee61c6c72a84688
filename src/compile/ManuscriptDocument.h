#pragma once

#include "compile/CompilationBuilder.h"
#include "editor/InlineMarkup.h"

#include <QTextCursor>
#include <QTextDocument>
#include <array>
#include <memory>

/// The writer's address block on a standard manuscript's title page.
struct ManuscriptContact {
    QString Name; ///< the writer's legal name, which may differ from the byline
    QString Address; ///< one or more lines
    QString Email;
    QString Phone;
};

/// The body face of a standard manuscript.
enum class ManuscriptFont { TimesNewRoman, CourierNew };
/// The paper a paged manuscript is set on.
enum class ManuscriptPaper { Letter, A4 };

/// What a manuscript is made of, and how it looks.
struct ManuscriptOptions {
    bool Descriptions = true; ///< each card's description as a subtitle
    bool Content = true; ///< each card's text
    /// Chapter and scene names only, a synopsis list: no descriptions, no texts.
    bool TitlesOnly = false;
    /// The form agents and editors ask for: a title page, 12 pt serif, double spacing, chapters
    /// a third of the way down their first page, and a running header.
    bool StandardManuscript = false;
    /// In standard form, scene names are printed too (a draft's); otherwise only chapters are
    /// named and the boundary between two scenes is a scene break.
    bool SceneTitles = false;
    /// Straight quotes printed as curly ones by context, "--" as an em dash.
    bool CurlyQuotes = true;
    QString Title; ///< the project's name
    QString Author; ///< the byline
    ManuscriptContact Contact;
    ManuscriptFont Font = ManuscriptFont::TimesNewRoman;
    ManuscriptPaper Paper = ManuscriptPaper::A4;
    /// The title page's word count, "%1" the count.
    QString WordsText = QStringLiteral("about %1 words");
};

/// The part of a manuscript a block of its document is, so that every writer can render it in
/// its own terms (a heading level, a page break, a centred scene break).
enum class ManuscriptBlock { TitlePage = 1, Chapter, Section, Subtitle, Paragraph, SceneBreak, End };

/// The lines of a standard manuscript's title page (the TitleLineProperty of its blocks).
enum class TitleLine {
    /// The first contact line, the writer's name, then a tab and the rounded word count, which
    /// stands flush right at a right tab stop on the right margin.
    NameAndWords = 1,
    Contact, ///< the other contact lines: address, e-mail, phone; flush left, single spaced
    Title, ///< centred halfway down the page
    Byline, ///< centred under the title
};

/// The manuscript as one rich-text document, built from the compile list entry by entry as the
/// compilation is: each card a section headed by its name, a card of the first type (the
/// chapter of the usual themes) a new chapter on a new page, its description an italic
/// subtitle, each line of its text a paragraph (blank lines only part them). A line of a break
/// mark ("#", "* * *", ...) within a text is a scene break, and so is the step from one card to
/// the next within a chapter when scene names are not printed. Emphasis marks are read and
/// taken out: the emphasised words are fragments in italics or bold. With curly quotes on,
/// quotes and dashes are printed as a printer would set them; otherwise every character of a
/// line is put in as read.
class ManuscriptDocument {
public:
    /// The block format property that holds a block's ManuscriptBlock.
    static constexpr int KindProperty = QTextFormat::UserProperty + 1;
    /// The block format property that holds a title page block's TitleLine.
    static constexpr int TitleLineProperty = QTextFormat::UserProperty + 2;
    /// A bool block property: the first paragraph after a heading, a subtitle or a scene break,
    /// which a standard manuscript sets without its first-line indent.
    static constexpr int FirstParagraphProperty = QTextFormat::UserProperty + 3;

    explicit ManuscriptDocument(const ManuscriptOptions& options);
    ~ManuscriptDocument();

    /// Adds the card `name` from its files; a missing file adds nothing. False, with the
    /// reason, when a file that exists cannot be read.
    bool Add(const QString& name, const CompileFiles& files, QString& error);
    /// Completes the title page's word count and puts "END" after the last paragraph (standard
    /// manuscript), once every card has been added.
    void Finish();

    QTextDocument& Document() { return *FDocument; }
    const QTextDocument& Document() const { return *FDocument; }
    const ManuscriptOptions& Options() const { return FOptions; }
    /// The words of the cards' texts.
    qint64 Words() const { return FWords; }
    /// Whether anything at all was added.
    bool IsEmpty() const { return FEmpty; }

    /// The part a block is.
    static ManuscriptBlock KindOf(const QTextBlock& block);
    /// The line of the title page a block is.
    static TitleLine TitleLineOf(const QTextBlock& block);
    /// A text as every format can hold it: a vertical tab, the line break a word processor
    /// pastes, is a line break within its paragraph (U+2028), as is a line end within one
    /// block's text (a description's); the other control characters but the tab (form feed,
    /// escape, ...) are no text, would make the XML of ODT, DOCX and EPUB malformed, and are
    /// left out.
    static QString PrintableText(const QString& text);
    /// A word count as a title page gives it: to the nearest hundred below ten thousand, to the
    /// nearest thousand from there (and exactly below fifty, so a short piece never claims none).
    static qint64 RoundedWords(qint64 words);

private:
    /// Adds `blocks` blocks of one kind; `text` holds them parted by paragraph separators.
    void AddBlock(ManuscriptBlock kind, const QString& text, int blocks = 1);
    /// Adds a paragraph of runs of emphasis.
    void AddParagraph(const QList<StyledRun>& runs);
    void AddTitlePage();
    void AddText(const QString& text);
    /// What a card's name, description or paragraph prints as: curled if the writer asked.
    QString Printed(const QString& text) const;
    /// The paragraphs gathered so far go in at once, behind a scene break if one is waiting.
    void FlushParagraphs();
    /// Starts a block of a kind: on a new page where one is due.
    void BeginBlock(ManuscriptBlock kind, QTextBlockFormat block, const QTextCharFormat& character);
    /// A paragraph block's format: the first after a heading or a break apart.
    QTextBlockFormat ParagraphFormat() const;

    ManuscriptOptions FOptions;
    std::unique_ptr<QTextDocument> FDocument;
    QTextCursor FCursor;
    /// The formats of each kind of block, made once: a font with its family list is costly to
    /// set, and a manuscript has a few hundred thousand blocks. (Title page lines differ.)
    std::array<QTextBlockFormat, size_t(ManuscriptBlock::End) + 1> FBlockFormats;
    std::array<QTextCharFormat, size_t(ManuscriptBlock::End) + 1> FCharFormats;
    /// A paragraph's character formats by emphasis: plain, italic, bold, both.
    std::array<QTextCharFormat, 4> FEmphasisFormats;
    int FBlocks = 0;
    bool FPastTitlePage = false;
    /// The paragraphs of plain text not yet put in, parted by paragraph separators.
    QString FParagraphs;
    int FParagraphCount = 0;
    /// The next paragraph is the first after a heading, a subtitle or a break.
    bool FFirstParagraph = true;
    /// A scene break goes before the next paragraph of this chapter.
    bool FBreakWaiting = false;
    /// A paragraph stands since the last heading or break.
    bool FParagraphSince = false;
    QByteArray FFileBytes;
    qint64 FWords = 0;
    bool FEmpty = true;
};
