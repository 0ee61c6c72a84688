#pragma once

#include <QString>

#include <array>
#include <optional>

/// The keys of the message table; their names are the keys of a language file's "Messages"
/// section.
enum class MessageKey {
    NEW_NODEX,
    NODEX_PROPERTIES,
    THE_PROJECT,
    REPLACE_ALL,
    ONLY_ONE_FILE,
    ONLY_PROJECTS,
    SAVE_PROJECT,
    SAVE_YOUR_PROJECT,
    SAVE_TEXT_CHANGES,
    NODEXS_DONT_OPEN,
    SAVE_EDITORS,
    NOT_COMPILATION,
    UNIQUE_NAME,
    CANT_HAVE_NAME,
    NOT_TEXT_FILE,
    OVERWRITTEN,
    COMPILATION_OK,
    COMPILATION_NOT_OK,
    NOT_FOUND,
    CANNOT_OPEN_FILE,
    CANNOT_WRITE_FILE,
    SAVE_WINDOW_POS,
    DOES_NOT_EXIST,
    COMBINED_COUNT,
    LINKED_COUNT,
    SELECTED_COUNT,
    WORD_COUNT,
    LAST_WORD_COUNT,
    AUTOSAVE_ON,
    AUTOSAVE_OFF,
    AUTO_CREATING,
    ERROR_READING_FILE,
    ERROR_WRITING_NODEX,
    ERROR_WRITING_PROJECT,
    CREATING_NODEXS,
    NOTHING_TO_PRINT,
    DELETE_TEXT_FILES,
    BACKUP_OK,
    BACKUP_NOT_OK,
    COPY_OK,
    COPY_NOT_OK,
    MERGING,
    MERGE_OK,
    MERGE_NOT_OK,
    // Texts of our own beyond the design's 44, translatable in the same way.
    LOCKED_HERE,
    LOCKED_ELSEWHERE,
    LOCK_QUESTION,
    REPLACE_PROJECT,
    FORBIDDEN_CHARACTER,
    COMPILATION_NAME_TAKEN,
    PRINT_NOT_STARTED,
    OPEN_PROJECT_TITLE,
    SAVE_PROJECT_AS_TITLE,
    COPY_TO_PROJECT_TITLE,
    IMPORT_TEXT_TITLE,
    ABOUT_TITLE,
    ABOUT_NOTICE,
    HELP_TITLE,
    HELP_BACK,
    HELP_FORWARD,
    HELP_CONTENTS,
    HELP_NOT_FOUND,
    FOLDER_NOT_CREATED,
    CARD_FILE_EXISTS,
    TEXT_FILE_TAKEN,
    MERGED_TEXT_NOT_WRITTEN,
    TEXT_NOT_SAVED,
    TEXT_NOT_OVERWRITTEN,
    TEXT_CHANGED_ELSEWHERE,
    TEXT_RELOADED,
    TEXT_CHANGED_WHILE_EDITING,
    KEEP_MINE,
    TAKE_THEIRS,
    COMPARE,
    COMPARE_TITLE,
    SYNC_CONFLICT_COPIES,
    NOT_NOW,
    TEXT_READ_ONLY,
    EDITING_CAPTION,
    MODIFIED_MARKER,
    AUTOSAVED_AT,
    WORD_USAGE_TITLE,
    WORD_USAGE_WORD,
    WORD_USAGE_TIMES,
    PROJECT_FILTER,
    TEXT_FILTER,
    EDIT_MENU,
    UNDO,
    REDO,
    UNDO_STEP,
    REDO_STEP,
    STEP_MOVE_CARD,
    STEP_MOVE_CARDS,
    STEP_LINK,
    STEP_UNLINK,
    STEP_REMOVE_LINKS,
    STEP_NEW_CARD,
    STEP_PROPERTIES,
    STEP_REVISION_STATE,
    STEP_DELETE_CARD,
    STEP_DELETE_CARDS,
    STEP_MERGE,
    STEP_PROJECT_OPTIONS,
    UNDO_NOT_DONE,
    REDO_NOT_DONE,
    FILE_CHANGED_SINCE,
    FILE_IN_THE_WAY,
    THESAURUS_TITLE,
    THESAURUS_LOOKED_UP,
    THESAURUS_MEANINGS,
    THESAURUS_REPLACE_WITH,
    THESAURUS_REPLACE,
    THESAURUS_LOOK_UP,
    THESAURUS_CANCEL,
    THESAURUS_NO_DATA,
    THESAURUS_NO_WORD,
    THESAURUS_NOT_FOUND,
    LIVE_WORD_COUNT,
    VIEW_MENU,
    ZOOM_IN,
    ZOOM_OUT,
    ZOOM_ACTUAL_SIZE,
    ZOOM_TO_FIT,
    SPELL_CHECK_TITLE,
    SPELL_NOT_IN_DICTIONARY,
    SPELL_REPEATED_WORD,
    SPELL_CHANGE_TO,
    SPELL_SUGGESTIONS,
    SPELL_NO_SUGGESTIONS,
    SPELL_IGNORE,
    SPELL_IGNORE_ALL,
    SPELL_CHANGE,
    SPELL_CHANGE_ALL,
    SPELL_DELETE,
    SPELL_ADD,
    SPELL_CANCEL,
    SPELL_CHECK_COMPLETE,
    SPELL_NO_DICTIONARY,
    SPELL_DICTIONARY_NOT_READ,
    SPELL_NO_DICTIONARY_STATUS,
    SPELL_WORD_NOT_ADDED,
    SPELL_OPTIONS_TITLE,
    SPELL_OPTIONS_NOT_SAVED,
    SPELL_DICTIONARY,
    SPELL_DICTIONARY_MISSING,
    SPELL_OK,
    SPELL_LIVE_SPELLING,
    SPELL_UPCASE,
    SPELL_NUMBERS,
    SPELL_INTERNET,
    SPELL_PRIMARY_ONLY,
    SPELL_REPEATED,
    SPELL_DUAL_CAPS,
    SPELL_ADD_TO_DICTIONARY,
    HISTORY_NOT_KEPT,
    HISTORY_CAPTION,
    HISTORY_TIME,
    HISTORY_WORDS,
    HISTORY_EARLIER,
    HISTORY_CURRENT,
    HISTORY_RESTORE,
    HISTORY_CLOSE,
    HISTORY_EMPTY,
    HISTORY_NOT_READ,
    HISTORY_NOT_RESTORED,
    AUTOMATIC_BACKUP_FAILED,
    CARDS_CHANGED_ELSEWHERE,
};

/// Every message text the program shows, by key: built-in English until a language file
/// replaces entries. Messages are looked up at the moment they are shown, so a change of
/// language reaches every later message.
class MessageTable {
public:
    static constexpr int Count = 167;
    /// The design's keys come first; the keys after them are texts of our own.
    static constexpr int DesignCount = 44;

    /// Filled with the built-in English texts.
    MessageTable();

    QString Text(MessageKey key) const;
    /// Replaces one text; an empty text leaves the current one, so no message can become empty.
    void Replace(MessageKey key, const QString& text);

    /// The key's name as written in a language file, e.g. "SAVE_PROJECT".
    static QString KeyName(MessageKey key);
    /// The key of a name, compared exactly; none for an unknown name.
    static std::optional<MessageKey> KeyFromName(const QString& name);
    /// The built-in English text of a key.
    static QString BuiltInText(MessageKey key);
    /// Whether a key is one of our own rather than one of the design's 44.
    static bool IsOwnKey(MessageKey key) { return static_cast<int>(key) >= DesignCount; }

private:
    std::array<QString, Count> FTexts;
};
