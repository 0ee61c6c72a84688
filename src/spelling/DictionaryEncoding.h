#pragma once

#include <QString>
#include <optional>
#include <string>

/// Converts words between the program's text and the encoding a Hunspell dictionary works in, as
/// its affix file's SET line names it ("UTF-8", "ISO8859-1", "microsoft-cp1251", ...).
class DictionaryEncoding {
public:
    explicit DictionaryEncoding(const std::string& name);
    ~DictionaryEncoding();
    DictionaryEncoding(const DictionaryEncoding&) = delete;
    DictionaryEncoding& operator=(const DictionaryEncoding&) = delete;

    /// False for an encoding the system cannot convert.
    bool Valid() const;
    /// The word in the dictionary's encoding; none when the encoding cannot hold it (then the
    /// dictionary cannot know it either).
    std::optional<std::string> Encode(const QString& word) const;
    /// A word from the dictionary, or an empty text when its bytes do not decode.
    QString Decode(const std::string& bytes) const;

private:
    bool FUtf8 = false;
    void* FToDictionary = nullptr; ///< iconv descriptors
    void* FFromDictionary = nullptr;
};
