#include "compile/CompilationBuilder.h"

#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"

namespace {
const QString LineEnd = QStringLiteral("\r\n");
} // namespace

QString BuildCompilationText(const QList<CompileEntry>& entries, bool descriptions, bool content)
{
    qsizetype size = 0;
    for (const CompileEntry& entry : entries)
        size += entry.Name.size() + entry.Description.size() + entry.Text.size() * 11 / 10 + 16;
    QString output;
    output.reserve(size);
    const auto line = [&output](QStringView text) { output.append(text).append(LineEnd); };
    for (const CompileEntry& entry : entries) {
        if (descriptions) {
            line(entry.Name);
            line({});
            if (entry.HasCardFile && !entry.Description.isEmpty()) {
                line(entry.Description);
                line({});
                line({});
            }
        }
        if (content && entry.HasText && !entry.Text.isEmpty()) {
            // Every line break of the text becomes CR LF; the text keeps a final one of its own.
            line(QString(NormaliseLineEnds(entry.Text)).replace(u'\n', LineEnd));
            line({});
            line({});
        }
    }
    return output;
}

CompileFiles CompileFilesOf(const QString& projectFolder, const QString& name)
{
    return {projectFolder + name + ".ndx", projectFolder + "Text Files/" + name + ".txt"};
}

bool ReadCompileEntry(const QString& name, const CompileFiles& files, bool descriptions,
                      bool content, CompileEntry& entry, QString& error)
{
    entry = CompileEntry{name, false, {}, false, {}};
    if (descriptions && KindOf(files.CardFile) != FileKind::Missing) {
        IniFile file(files.CardFile);
        if (!file.Load(error))
            return false;
        entry.HasCardFile = true;
        entry.Description = file.ReadString("Description", "Text", QString());
    }
    if (content && KindOf(files.TextFile) != FileKind::Missing) {
        if (!ReadTextFile(files.TextFile, entry.Text, error))
            return false;
        entry.HasText = true;
    }
    return true;
}

QString CompilationFilePath(const QString& projectFolder)
{
    return projectFolder + "Text Files/Compilation.txt";
}
