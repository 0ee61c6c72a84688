#pragma once

#include <QByteArray>
#include <QString>

/// Where a listed card keeps its description and its text.
struct CompileFiles {
    QString CardFile;
    QString TextFile;
};

/// The files of a card named `name` in a project folder, spelt after its name.
CompileFiles CompileFilesOf(const QString& projectFolder, const QString& name);

/// The card whose text the compilation is.
inline const QString CompilationCardName = QStringLiteral("Compilation");

/// Builds the compilation's bytes entry by entry, each card's files read as it is added: for
/// each entry its name and an empty line, then its description and two empty lines
/// (descriptions on; the description only when its card file has one), then its text and two
/// empty lines (content on, a text file that is not empty). UTF-8, every line ended by CR LF.
/// A text file's bytes go straight into the compilation, so that a long chain costs about what
/// reading its files does.
class CompilationBuilder {
public:
    CompilationBuilder(bool descriptions, bool content);

    /// Adds the card `name` from its files; a missing file adds nothing. False, with the
    /// reason, when a file that exists cannot be read.
    bool Add(const QString& name, const CompileFiles& files, QString& error);

    /// The compilation so far; empty when there is nothing to write.
    const QByteArray& Bytes() const { return FBytes; }

private:
    void AppendLine(QByteArrayView line);

    bool FDescriptions;
    bool FContent;
    QByteArray FBytes;
    QByteArray FFileBytes; ///< the file being read, its buffer kept from file to file
};
