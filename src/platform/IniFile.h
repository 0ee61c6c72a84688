#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

/// An INI file read and written key by key, kept as the list of lines it was read from.
///
/// Section lines ("[Name]"), entry lines ("Key=Value") and every other line (comments, blanks,
/// damaged lines) are written back as they were, each with its own line end; a write changes
/// only the line of its key, so a file in the program's own layout comes back byte for byte.
/// Section and key names match without regard to case, folding only the letters A to Z, and the
/// first of duplicate keys counts. Keys above the first section belong to the section "".
/// Writes collect in memory until Save, which replaces the file atomically, as UTF-8 without a
/// byte-order mark, and only when something changed.
class IniFile {
public:
    /// Longest value a read returns; longer values are cut.
    static constexpr int MaxValueLength = 2047;

    explicit IniFile(QString path = {});
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const QString& Path() const { return FFilePath; }

    /// Reads the file. A missing file reads as an empty one and succeeds; a file that exists but
    /// cannot be read, is not a regular file, or is larger than `maxBytes` (when given) fails
    /// with `error` and may not be saved.
    bool Load(QString& error, qint64 maxBytes = -1);

    /// Settings, themes and language files are small: anything larger is not one.
    static constexpr qint64 MaxSettingsBytes = 1024 * 1024;
    /// Reads INI text from bytes, decoded as DecodeText does.
    void LoadFromBytes(const QByteArray& bytes);

    bool HasKey(const QString& section, const QString& key) const;
    /// Named sections in file order, each once.
    QStringList Sections() const;
    QStringList Keys(const QString& section) const;

    /// The value without the blanks around it, cut at MaxValueLength characters (never inside a
    /// surrogate pair). A NUL ends every value: damaged files end in runs of them.
    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    /// The value exactly as it stands after "=", for names that may begin or end with a blank;
    /// cut as ReadString cuts.
    QString ReadUntrimmed(
        const QString& section, const QString& key, const QString& fallback) const;
    /// Decimal with optional "-", or hexadecimal after "0x"/"0X"; anything else gives `fallback`.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    /// Read as an integer: non-zero is true, a value that is not a number gives `fallback`.
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;

    /// Stored as given, blanks included; CR, LF and NUL become spaces, as a value is one line.
    /// An existing key is rewritten in place with its spelling; a new one follows the last entry
    /// of its section; a new section goes at the end, after a blank line.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    /// Written as "1" or "0".
    void WriteBool(const QString& section, const QString& key, bool value);
    /// Removes every line from each header of the section up to the next section.
    void EraseSection(const QString& section);

    /// True when a write or an erase changed a line since the file was read or saved.
    bool Changed() const;
    /// The file's text as Save writes it: UTF-8 without a byte-order mark.
    QByteArray ToBytes() const;
    /// Writes the file atomically when it changed, and leaves it untouched (modification time
    /// included) otherwise. Fails with `error` on a read-only file, a full disk, a file whose
    /// Load failed, etc.
    bool Save(QString& error) const;

private:
    struct Store;
    QString FFilePath;
    std::unique_ptr<Store> FData;
};

/// Parses an INI integer as IniFile::ReadInteger does; false when it is not one.
bool ParseIniInteger(const QString& text, int& value);
