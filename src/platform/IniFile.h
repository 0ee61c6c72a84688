#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

/// An INI file read and written key by key. Section and key names match without regard to case
/// (letters A to Z only); values are single trimmed lines read up to 2047 characters; keys and
/// sections that a writer does not touch stay as they were. Writes collect in memory until
/// Save, which replaces the file atomically.
class IniFile {
public:
    /// Longest value a read returns; longer values are cut.
    static constexpr int MaxValueLength = 2047;

    explicit IniFile(QString path = {});
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const QString& Path() const { return FilePath; }

    /// Reads the file. A missing file reads as an empty one and succeeds; a file that exists but
    /// cannot be read fails with `error`.
    bool Load(QString& error);
    /// Reads INI text from bytes (UTF-8 or Windows-1252).
    void LoadFromBytes(const QByteArray& bytes);

    bool HasSection(const QString& section) const;
    bool HasKey(const QString& section, const QString& key) const;
    QStringList Sections() const;
    QStringList Keys(const QString& section) const;

    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    /// Decimal with optional "-", or hexadecimal after "0x"/"0X"; anything else gives `fallback`.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    /// Read as an integer: non-zero is true, a value that is not a number gives `fallback`.
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;

    /// Line breaks in `value` become spaces: a value is one line.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    /// Written as "1" or "0".
    void WriteBool(const QString& section, const QString& key, bool value);
    void EraseSection(const QString& section);

    /// The file's text as Save writes it: UTF-8 without a byte-order mark.
    QByteArray ToBytes() const;
    /// Writes the file atomically; fails with `error` on a read-only file, a full disk, etc.
    bool Save(QString& error) const;

private:
    struct Store;
    QString FilePath;
    std::unique_ptr<Store> Data;
};

/// Parses an INI integer as IniFile::ReadInteger does; false when it is not one.
bool ParseIniInteger(const QString& text, int& value);
