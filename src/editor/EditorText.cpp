#include "editor/EditorText.h"

EditorText::EditorText(
    const QString& projectFolder, const QString& cardName, const QString& textFile)
    : FProjectFolder(projectFolder)
    , FCardName(cardName)
    , FTextFile(textFile)
{
}

CardTexts EditorText::Texts() const
{
    return CardTexts(FProjectFolder);
}

CardTextFile EditorText::File() const
{
    return Texts().Of(FCardName, FTextFile);
}

QString EditorText::Path() const
{
    return File().Path;
}

FileRead EditorText::Load(QString& text, QString& reason)
{
    QByteArray bytes;
    const FileRead read = CardTexts::Read(Path(), bytes, FRead, reason);
    if (read == FileRead::Read)
        text = NormaliseLineEnds(DecodeText(bytes));
    if (read != FileRead::Failed)
        reason.clear();
    FUnreadable = reason;
    return read;
}

QByteArray EditorText::Encoded(const QString& text)
{
    return EncodeText(text, LineEnds::CrLf);
}

GuardedWrite EditorText::Save(const QByteArray& bytes, QString& reason)
{
    return Texts().WriteIfUnchanged(File(), bytes, FRead, reason, FHistoryProblem);
}

GuardedWrite EditorText::SaveOverTheirs(const QByteArray& bytes, QString& reason)
{
    return Texts().WriteOverTheirs(File(), bytes, FRead, reason);
}

bool EditorText::ChangedOnDisk() const
{
    const FileIdentity now = CurrentIdentity(Path());
    return now.Exists && ChangedSince(FRead, now);
}

bool EditorText::ReadTheirs(QString& text, QString& reason) const
{
    return CardTexts::ReadText(Path(), text, reason);
}

bool EditorText::KeepTheirs(QString& reason)
{
    return Texts().KeepTheirs(File(), FRead, reason);
}

bool EditorText::KeepMine(const QString& text, QString& reason) const
{
    return Texts().KeepInHistory(FCardName, EncodeText(text, LineEnds::CrLf), reason);
}
