#pragma once

#include <QString>
#include <QStringList>

/// What the compilation takes of one listed card: the description from its card file and the
/// text from its text file, each only where the file exists.
struct CompileEntry {
    QString Name;
    bool HasCardFile = false;
    QString Description;
    bool HasText = false;
    QString Text; ///< line ends as read: LF, CR or CR LF
};

/// The compilation's text with CR LF line ends: for each entry its name and an empty line, then
/// its description and two empty lines (descriptions on; the description only when there is
/// one), then its text and two empty lines (content on, a text that is not empty). Empty when
/// there is nothing to write. Built in one pass, so that a long chain costs what reading it does.
QString BuildCompilationText(const QList<CompileEntry>& entries, bool descriptions, bool content);

/// Where a listed card keeps its description and its text.
struct CompileFiles {
    QString CardFile;
    QString TextFile;
};

/// The files of a card named `name` in a project folder, spelt after its name.
CompileFiles CompileFilesOf(const QString& projectFolder, const QString& name);

/// Reads what the compilation needs of the card `name` from its files; false, with the reason,
/// when a file that exists cannot be read.
bool ReadCompileEntry(const QString& name, const CompileFiles& files, bool descriptions,
                      bool content, CompileEntry& entry, QString& error);

/// The compilation file of a project: the text file of the card "Compilation".
QString CompilationFilePath(const QString& projectFolder);
