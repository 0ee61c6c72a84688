#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class IniFile;
class QAction;
class QMenu;

/// The recent-files list: full file names, newest first, none twice (compared without regard to
/// case), shown as numbered items directly after an anchor item of a menu. It knows nothing of
/// projects: the owner says when names come and go and what a click does.
class TMRUFiles : public QObject {
    Q_OBJECT
public:
    explicit TMRUFiles(QObject* parent = nullptr);
    ~TMRUFiles() override;

    /// The most names kept; a smaller number drops the oldest.
    void SetMaxEntries(int count);
    int MaxEntries() const { return FMaxEntries; }
    /// Captions "&1 name" for the first ten entries, "  name" after them.
    void SetNumbered(bool numbered);
    /// Captions show the whole path rather than the file name.
    void SetFullPath(bool fullPath);
    /// Each item's hint; "%s" stands for the full file name.
    void SetHint(const QString& hint);
    /// The start of the keys in the INI section.
    void SetPrefix(const QString& prefix);
    /// The item after which the recent items stand, in its menu.
    void SetMenuItem(QAction* anchor);

    /// Puts a name at the top, moving it there when it is listed already.
    void AddFile(const QString& fileName);
    void RemoveFile(const QString& fileName);
    const QStringList& Files() const { return FFiles; }
    /// The menu items it shows now, the separator first.
    QList<QAction*> Items() const;

    /// Reads the names from keys Prefix + 1, 2, ... up to the first missing or empty one.
    void LoadFromIni(const IniFile& file, const QString& section);
    /// Writes the names as keys Prefix + 1, 2, ...; the section is written anew only when it
    /// holds anything else.
    void SaveToIni(IniFile& file, const QString& section) const;

    /// An entry was clicked, with its full file name.
    std::function<void(const QString& fileName)> OnClick;
    /// Each menu item once it is built (its position from 0), before it is inserted.
    std::function<void(int index, QAction* item)> OnMenuItem;

private:
    void Rebuild();
    void RemoveItems();
    QString Caption(int index) const;
    QMenu* AnchorMenu() const;

    int FMaxEntries = 5;
    bool FNumbered = true;
    bool FFullPath = false;
    QString FHint;
    QString FPrefix;
    QPointer<QAction> FAnchor;
    QStringList FFiles;
    QList<QPointer<QAction>> FItems;
};
