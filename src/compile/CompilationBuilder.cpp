#include "compile/CompilationBuilder.h"

#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "project/CardTexts.h"
#include "project/ProjectPaths.h"

namespace {
constexpr QByteArrayView LineEnd("\r\n");
} // namespace

CompileFiles CompileFilesOf(const QString& projectFolder, const QString& name)
{
    return {projectFolder + name + ProjectPaths::CardExtension, CardTexts(projectFolder).Of(name).Path};
}

CompilationBuilder::CompilationBuilder(bool descriptions, bool content)
    : FDescriptions(descriptions)
    , FContent(content)
{
}

bool CompilationBuilder::Add(const QString& name, const CompileFiles& files, QString& error)
{
    if (FDescriptions) {
        AppendLine(name.toUtf8());
        AppendLine({});
        const FileRead read = ReadFileIfPresent(files.CardFile, FFileBytes, error);
        if (read == FileRead::Failed)
            return false;
        if (read == FileRead::Read) {
            IniFile card;
            card.LoadFromBytes(FFileBytes);
            const QString description = card.ReadString("Description", "Text", QString());
            if (!description.isEmpty()) {
                AppendLine(description.toUtf8());
                AppendLine({});
                AppendLine({});
            }
        }
    }
    if (FContent) {
        const FileRead read = CardTexts::ReadIfPresent(files.TextFile, FFileBytes, error);
        if (read == FileRead::Failed)
            return false;
        const qsizetype before = FBytes.size();
        if (read == FileRead::Read)
            AppendCrLfText(FBytes, FFileBytes);
        // A text that decodes to nothing (a lone byte-order mark) adds nothing either.
        if (FBytes.size() > before) {
            AppendLine({});
            AppendLine({});
            AppendLine({});
        }
    }
    error.clear();
    return true;
}

void CompilationBuilder::AppendLine(QByteArrayView line)
{
    FBytes.append(line);
    FBytes.append(LineEnd);
}
