#pragma once

#include <QHash>
#include <QList>
#include <QString>

class IniFile;
class MessageTable;
class QObject;

/// How a language file's value becomes a caption.
enum class CaptionForm {
    AsRead,     ///< the value as it stands
    GroupBox,   ///< " " + value + " "
    Label,      ///< value + ":"
    NodexTitle, ///< "Nodex " + value
};

/// One key of a language file and what it sets.
struct LanguageKey {
    const char* Section;
    const char* Key;
    CaptionForm Form;
    const char* English; ///< the built-in text as a language file writes it (the value)
    /// What it sets, separated by blanks: "window:control" for a control of one of the
    /// translated windows ("window:" for the window's title), "@KEY" for a message-table text.
    const char* Targets;
};

/// Every caption key a language file may hold, in the order they are read; the "Messages"
/// section and the sections of our own follow them (see ApplyLanguageFile).
const QList<LanguageKey>& LanguageKeys();

/// The section of our own for the message-table texts beyond the design's 44.
inline const QString OwnMessagesSection = QStringLiteral("Nodex.Messages");
/// The section of our own for the reasons given beneath messages (see ReasonTexts.h).
inline const QString ReasonsSection = QStringLiteral("Nodex.Reasons");

/// The windows a language file translates, by their object names ("fmMain", "fmEditor", ...):
/// the templates for the editor and its find dialog.
using TranslatedWindows = QHash<QString, QObject*>;

/// Applies a language file: every caption key, then "Messages", then our own sections (messages
/// and reasons). An empty or missing value leaves its text as it is, so no caption, message or
/// reason can become empty.
void ApplyLanguageFile(const IniFile& file, const TranslatedWindows& windows, MessageTable& messages);

/// Sets a caption on a menu item, menu, button, group box, label, tab page or window.
void SetCaption(QObject* target, const QString& text);

/// The language's name: the file name up to its first ".ini", in small letters.
QString LanguageName(const QString& languageFile);

/// The language of the spell checker's dialogs for a language's name: "German" for "german",
/// "Brazilian Portuguese" for any name holding "portuguese", "English" for a language it has not.
QString SpellDialogLanguage(const QString& languageName);

/// The text of a complete language file holding every key with its built-in English text: the
/// translators' template.
QByteArray EnglishLanguageFile();
