#include "settings/MRUFiles.h"

#include "platform/AsciiCase.h"
#include "platform/IniFile.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace {
constexpr int NumberedEntries = 10;

qsizetype IndexOf(const QStringList& files, const QString& fileName)
{
    for (qsizetype i = 0; i < files.size(); ++i)
        if (SameIgnoringAsciiCase(files[i], fileName))
            return i;
    return -1;
}
} // namespace

TMRUFiles::TMRUFiles(QObject* parent)
    : QObject(parent)
{
}

TMRUFiles::~TMRUFiles() { RemoveItems(); }

void TMRUFiles::SetMaxEntries(int count)
{
    FMaxEntries = std::max(count, 0);
    if (FFiles.size() > FMaxEntries)
        FFiles.resize(FMaxEntries);
    Rebuild();
}

void TMRUFiles::SetNumbered(bool numbered)
{
    FNumbered = numbered;
    Rebuild();
}

void TMRUFiles::SetFullPath(bool fullPath)
{
    FFullPath = fullPath;
    Rebuild();
}

void TMRUFiles::SetHint(const QString& hint)
{
    FHint = hint;
    Rebuild();
}

void TMRUFiles::SetPrefix(const QString& prefix) { FPrefix = prefix; }

void TMRUFiles::SetMenuItem(QAction* anchor)
{
    RemoveItems();
    FAnchor = anchor;
    Rebuild();
}

void TMRUFiles::AddFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    if (const qsizetype listed = IndexOf(FFiles, fileName); listed >= 0)
        FFiles.removeAt(listed);
    while (!FFiles.isEmpty() && FFiles.size() >= FMaxEntries)
        FFiles.removeAt(FMaxEntries - 1);
    if (FMaxEntries > 0)
        FFiles.prepend(fileName);
    Rebuild();
}

void TMRUFiles::RemoveFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    if (const qsizetype listed = IndexOf(FFiles, fileName); listed >= 0)
        FFiles.removeAt(listed);
    Rebuild();
}

void TMRUFiles::LoadFromIni(const IniFile& file, const QString& section)
{
    FFiles.clear();
    for (int position = 1; position <= FMaxEntries; ++position) {
        const QString fileName = file.ReadString(section, FPrefix + QString::number(position), QString());
        if (fileName.isEmpty())
            break;
        if (IndexOf(FFiles, fileName) < 0)
            FFiles.append(fileName);
    }
    Rebuild();
}

void TMRUFiles::SaveToIni(IniFile& file, const QString& section) const
{
    QStringList keys;
    for (qsizetype i = 0; i < FFiles.size(); ++i)
        keys << FPrefix + QString::number(i + 1);
    const auto unchanged = [&] {
        if (file.Keys(section) != keys)
            return false;
        for (qsizetype i = 0; i < keys.size(); ++i)
            if (file.ReadString(section, keys[i], QString()) != FFiles[i])
                return false;
        return true;
    };
    // A list that did not change leaves its lines, and the file, as they were.
    if (unchanged())
        return;
    file.EraseSection(section);
    for (qsizetype i = 0; i < keys.size(); ++i)
        file.WriteString(section, keys[i], FFiles[i]);
}

QList<QAction*> TMRUFiles::Items() const
{
    QList<QAction*> items;
    for (const QPointer<QAction>& item : FItems)
        if (item)
            items << item.data();
    return items;
}

QMenu* TMRUFiles::AnchorMenu() const
{
    if (!FAnchor)
        return nullptr;
    for (QObject* holder : FAnchor->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(holder))
            return menu;
    return nullptr;
}

QString TMRUFiles::Caption(int index) const
{
    QString shown = FFullPath ? FFiles[index] : QFileInfo(FFiles[index]).fileName();
    // An ampersand in a name shows as itself, not as the mark of an access key.
    shown.replace('&', QStringLiteral("&&"));
    if (!FNumbered)
        return shown;
    return index < NumberedEntries ? QStringLiteral("&%1 %2").arg(QString::number(index + 1), shown)
                                   : "  " + shown;
}

void TMRUFiles::RemoveItems()
{
    for (const QPointer<QAction>& item : std::as_const(FItems))
        delete item.data();
    FItems.clear();
}

void TMRUFiles::Rebuild()
{
    RemoveItems();
    QMenu* menu = AnchorMenu();
    if (!menu || FFiles.isEmpty())
        return;
    const QList<QAction*> actions = menu->actions();
    const qsizetype anchorAt = actions.indexOf(FAnchor.data());
    QAction* following = anchorAt + 1 < actions.size() ? actions[anchorAt + 1] : nullptr;
    auto* separator = new QAction(menu);
    separator->setSeparator(true);
    menu->insertAction(following, separator);
    FItems << separator;
    for (int index = 0; index < FFiles.size(); ++index) {
        auto* item = new QAction(Caption(index), menu);
        if (!FHint.isEmpty())
            item->setToolTip(QString(FHint).replace(QStringLiteral("%s"), FFiles[index]));
        const QString fileName = FFiles[index];
        connect(item, &QAction::triggered, this, [this, fileName] {
            if (OnClick)
                OnClick(fileName);
        });
        if (OnMenuItem)
            OnMenuItem(index, item);
        menu->insertAction(following, item);
        FItems << item;
    }
}
