#include "messages/MessageTable.h"

#include <cstddef>

static_assert(static_cast<int>(MessageKey::REPLACE_CHANGED_SINCE_SEARCH) + 1 == MessageTable::Count);
static_assert(static_cast<int>(MessageKey::MERGE_NOT_OK) + 1 == MessageTable::DesignCount);

namespace {

struct Message {
    const char* Name;
    const char* Text;
};

// In the order of MessageKey: the key's name in a language file and its built-in English text
// (UTF-8: a paper size is measured with a multiplication sign).
constexpr std::array<Message, MessageTable::Count> Messages = { {
    { "NEW_NODEX", "New" },
    { "NODEX_PROPERTIES", "Properties" },
    { "THE_PROJECT", "project." },
    { "REPLACE_ALL", "Replacing all occurrences cannot be undone." },
    { "ONLY_ONE_FILE", "Nodex opens only one dropped file at a time." },
    { "ONLY_PROJECTS", "Nodex opens only Nodex project files." },
    { "SAVE_PROJECT", "Save changes to current project workspace?" },
    { "SAVE_YOUR_PROJECT", "Please save your project before" },
    { "SAVE_TEXT_CHANGES", "Save changes before closing this edit window?" },
    { "NODEXS_DONT_OPEN", "Nodexs only open with a project." },
    { "SAVE_EDITORS", "Save changed contents of open edit windows?" },
    { "NOT_COMPILATION", "The Compilation nodex cannot be user created." },
    { "UNIQUE_NAME", "Please enter a unique name for the" },
    { "CANT_HAVE_NAME", "A nodex with that name already exists." },
    { "NOT_TEXT_FILE", "Nodex imports only txt/rtf files." },
    { "OVERWRITTEN", "The current text will be overwritten." },
    { "COMPILATION_OK", "Compilation file created successfully." },
    { "COMPILATION_NOT_OK", "There was an error creating the Compilation." },
    { "NOT_FOUND", "Cannot find any more instances of" },
    { "CANNOT_OPEN_FILE", "Cannot open - file may be open in another application." },
    { "CANNOT_WRITE_FILE", "Cannot write to the text file." },
    { "SAVE_WINDOW_POS", "Save this edit window position as default?" },
    { "DOES_NOT_EXIST", "file does not exist." },
    { "COMBINED_COUNT", "combined word count is" },
    { "LINKED_COUNT", "Linked word count is" },
    { "SELECTED_COUNT", "Selected word count is" },
    { "WORD_COUNT", "Word count is" },
    { "LAST_WORD_COUNT", "Last word count was" },
    { "AUTOSAVE_ON", "Auto-save is on" },
    { "AUTOSAVE_OFF", "Auto-save is off" },
    { "AUTO_CREATING", "auto-creating nodexs." },
    { "ERROR_READING_FILE", "Error reading from project or nodex files." },
    { "ERROR_WRITING_NODEX", "Error writing nodex file." },
    { "ERROR_WRITING_PROJECT", "Error writing project file." },
    { "CREATING_NODEXS", "creating nodexs." },
    { "NOTHING_TO_PRINT", "There is no content file to print." },
    { "DELETE_TEXT_FILES", "Delete the text files as well as the nodexs?" },
    { "BACKUP_OK", "Project backup created successfully." },
    { "BACKUP_NOT_OK", "There was an error creating the backup." },
    { "COPY_OK", "Nodexs copied. Reopen other project to see changes." },
    { "COPY_NOT_OK", "Some nodexs/text files not copied due to duplicate names." },
    { "MERGING", "Delete subsequent nodexs once they have been merged?" },
    { "MERGE_OK", "Nodexs merged successfully." },
    { "MERGE_NOT_OK", "There was an error during merging." },
    { "LOCKED_HERE", "by another copy of Nodex on this computer (process %1)" },
    { "LOCKED_ELSEWHERE", "by Nodex on the computer '%1' (process %2), which may share this folder through a sync tool" },
    { "LOCK_QUESTION", "'%1' is locked %2: its lock file '%3' says it is open there. Saving from two places overwrites one with the other. Open it anyway?" },
    { "REPLACE_PROJECT", "'%1' already exists. Replace it?" },
    { "FORBIDDEN_CHARACTER", "A nodex name cannot hold the character %1." },
    { "COMPILATION_NAME_TAKEN", "The nodex '%1' is not the Compilation nodex: it keeps its text, and no compilation is written while it has that name." },
    { "PRINT_NOT_STARTED", "The text could not be printed." },
    { "OPEN_PROJECT_TITLE", "Open Project" },
    { "SAVE_PROJECT_AS_TITLE", "Save Project To Folder As" },
    { "COPY_TO_PROJECT_TITLE", "Copy Nodexs To Another Project" },
    { "IMPORT_TEXT_TITLE", "Import Text" },
    { "ABOUT_TITLE", "About Nodex" },
    { "ABOUT_NOTICE", "Made for writers by the Nodex developers" },
    { "HELP_TITLE", "Nodex Help" },
    { "HELP_BACK", "&Back" },
    { "HELP_FORWARD", "&Forward" },
    { "HELP_CONTENTS", "&Contents" },
    { "HELP_NOT_FOUND",
        "The help page '%1' cannot be found. The help pages belong in the Help folder beside the "
        "program." },
    { "FOLDER_NOT_CREATED", "The folder '%1' cannot be created." },
    { "CARD_FILE_EXISTS", "'%1' already exists." },
    { "TEXT_FILE_TAKEN", "'%1' is already in the Text Files folder." },
    { "MERGED_TEXT_NOT_WRITTEN", "The merged text could not be written." },
    { "TEXT_NOT_SAVED", "The text of '%1' could not be saved." },
    { "TEXT_NOT_OVERWRITTEN", "The text file could not be read, so it is not written over." },
    { "TEXT_CHANGED_ELSEWHERE", "The text of '%1' was changed by another program since it was opened here. Save this text in its place? The other version is kept in the card's history." },
    { "TEXT_RELOADED", "The text was changed by another program and has been read again." },
    { "TEXT_CHANGED_WHILE_EDITING", "Another program changed the text of '%1' while you were editing it here. Keep your text or take theirs? The one you give up is kept in the card's history." },
    { "KEEP_MINE", "Keep mine" },
    { "TAKE_THEIRS", "Take theirs" },
    { "COMPARE", "Compare" },
    { "COMPARE_TITLE", "Compare '%1'" },
    { "SYNC_CONFLICT_COPIES", "A sync tool left these copies where a file was changed on two machines at once. They are not read as cards: %1. Compare each with the file it copies?" },
    { "NOT_NOW", "Not now" },
    { "TEXT_READ_ONLY", "The text is read-only until it can be read." },
    { "EDITING_CAPTION", "Editing Nodex: '%1'" },
    { "MODIFIED_MARKER", "*" },
    { "AUTOSAVED_AT", "Text auto-saved at %1" },
    { "WORD_USAGE_TITLE", "Word Usage: '%1'" },
    { "WORD_USAGE_WORD", "Word" },
    { "WORD_USAGE_TIMES", "Times" },
    { "PROJECT_FILTER", "Nodex Project (*.nodex)" },
    { "TEXT_FILTER", "Text Files (*.txt)" },
    { "EDIT_MENU", "&Edit" },
    { "UNDO", "&Undo" },
    { "REDO", "&Redo" },
    { "UNDO_STEP", "&Undo %1" },
    { "REDO_STEP", "&Redo %1" },
    { "STEP_MOVE_CARD", "Move Card" },
    { "STEP_MOVE_CARDS", "Move %1 Cards" },
    { "STEP_LINK", "Link" },
    { "STEP_UNLINK", "Unlink" },
    { "STEP_REMOVE_LINKS", "Remove Links" },
    { "STEP_NEW_CARD", "New Card" },
    { "STEP_PROPERTIES", "Properties" },
    { "STEP_REVISION_STATE", "Revision State" },
    { "STEP_DELETE_CARD", "Delete Card" },
    { "STEP_DELETE_CARDS", "Delete %1 Cards" },
    { "STEP_MERGE", "Merge" },
    { "STEP_PROJECT_OPTIONS", "Project Options" },
    { "UNDO_NOT_DONE", "The step was not undone." },
    { "REDO_NOT_DONE", "The step was not redone." },
    { "FILE_CHANGED_SINCE", "'%1' was changed on disk since." },
    { "FILE_IN_THE_WAY", "'%1' exists again." },
    { "THESAURUS_TITLE", "Thesaurus" },
    { "THESAURUS_LOOKED_UP", "Looked up:" },
    { "THESAURUS_MEANINGS", "&Meanings:" },
    { "THESAURUS_REPLACE_WITH", "Replace with &synonym:" },
    { "THESAURUS_REPLACE", "&Replace" },
    { "THESAURUS_LOOK_UP", "&Look Up" },
    { "THESAURUS_CANCEL", "Cancel" },
    { "THESAURUS_NO_DATA", "No thesaurus is installed. Put a thesaurus (its th_*.idx and th_*.dat "
                           "files) into the Thesaurus folder." },
    { "THESAURUS_NO_WORD", "Put the caret on a word, or select one, to look it up." },
    { "THESAURUS_NOT_FOUND", "is not in the thesaurus." },
    { "LIVE_WORD_COUNT", "Words: %1" },
    { "CARD_DESCRIPTIONS", "&Descriptions on Cards" },
    { "CARD_WORD_COUNTS", "&Word Counts on Cards" },
    { "CARD_WORDS", "%1 words" },
    { "CARD_ONE_WORD", "1 word" },
    { "DUPLICATE", "Dupl&icate" },
    { "STEP_DUPLICATE_CARD", "Duplicate '%1'" },
    { "STEP_DUPLICATE_CARDS", "Duplicate %1 Cards" },
    { "DUPLICATE_NOT_DONE", "The cards were not duplicated." },
    { "DUPLICATE_NO_FREE_NAME", "No free name of at most %1 characters follows '%2'." },
    { "VIEW_MENU", "&View" },
    { "ZOOM_IN", "Zoom &In" },
    { "ZOOM_OUT", "Zoom &Out" },
    { "ZOOM_ACTUAL_SIZE", "&Actual Size" },
    { "ZOOM_TO_FIT", "Zoom To &Fit" },
    { "OUTLINE_MENU", "O&utline" },
    { "OUTLINE_TITLE", "Outline" },
    { "OUTLINE_HEADERS", "Name|State|Words|Description" },
    { "NOT_IN_A_CHAIN", "Not in a chain" },
    { "SPELL_CHECK_TITLE", "Spell Check" },
    { "SPELL_NOT_IN_DICTIONARY", "Not in dictionary:" },
    { "SPELL_REPEATED_WORD", "Repeated word:" },
    { "SPELL_CHANGE_TO", "Change &to:" },
    { "SPELL_SUGGESTIONS", "Suggestio&ns:" },
    { "SPELL_NO_SUGGESTIONS", "(no suggestions)" },
    { "SPELL_IGNORE", "&Ignore" },
    { "SPELL_IGNORE_ALL", "I&gnore All" },
    { "SPELL_CHANGE", "&Change" },
    { "SPELL_CHANGE_ALL", "Change A&ll" },
    { "SPELL_DELETE", "&Delete" },
    { "SPELL_ADD", "&Add" },
    { "SPELL_CANCEL", "Cancel" },
    { "SPELL_CHECK_COMPLETE", "The spelling check is complete." },
    { "SPELL_NO_DICTIONARY", "No spelling dictionary is installed. Put a Hunspell dictionary (its .aff and .dic files) in the Spelling folder beside Nodex, or install one for the system, such as the package hunspell-en-gb." },
    { "SPELL_DICTIONARY_NOT_READ", "The spelling dictionary could not be read." },
    { "SPELL_NO_DICTIONARY_STATUS", "No spelling dictionary: misspellings are not underlined" },
    { "SPELL_WORD_NOT_ADDED", "'%1' could not be added to the custom dictionary." },
    { "SPELL_OPTIONS_TITLE", "Spelling Options" },
    { "SPELL_OPTIONS_NOT_SAVED", "The spelling options could not be saved; they apply until Nodex closes." },
    { "SPELL_DICTIONARY", "&Dictionary:" },
    { "SPELL_DICTIONARY_MISSING", "%1 (not installed)" },
    { "SPELL_OK", "OK" },
    { "SPELL_LIVE_SPELLING", "Check spelling as you type" },
    { "SPELL_UPCASE", "Ignore words in &UPPERCASE" },
    { "SPELL_NUMBERS", "Ignore words containing numbers" },
    { "SPELL_INTERNET", "Ignore Internet addresses" },
    { "SPELL_PRIMARY_ONLY", "Suggest from main dictionaries only" },
    { "SPELL_REPEATED", "Prompt on repeated word" },
    { "SPELL_DUAL_CAPS", "Automatically correct DUal capitals" },
    { "SPELL_ADD_TO_DICTIONARY", "Add to Dictionary" },
    { "HISTORY_NOT_KEPT", "Saved; the earlier text could not be kept in the history: %1" },
    { "HISTORY_CAPTION", "History of %1" },
    { "HISTORY_TIME", "Saved over" },
    { "HISTORY_WORDS", "Words" },
    { "HISTORY_EARLIER", "Earlier text" },
    { "HISTORY_CURRENT", "Current text" },
    { "HISTORY_RESTORE", "&Restore" },
    { "HISTORY_CLOSE", "Close" },
    { "HISTORY_EMPTY", "No earlier texts of this card are kept yet." },
    { "HISTORY_NOT_READ", "The earlier text could not be read." },
    { "HISTORY_NOT_RESTORED", "The earlier text could not be restored." },
    { "AUTOMATIC_BACKUP_FAILED", "The automatic backup could not be made:" },
    { "CARDS_CHANGED_ELSEWHERE", "Another program changed these cards since they were read here: %1. Save this copy's version over theirs? Cancel leaves their files as they are and this copy's changes unsaved." },
    { "EXPORT_MANUSCRIPT", "Export &Manuscript..." },
    { "EXPORT_TITLE", "Export Manuscript" },
    { "EXPORT_NO_PANDOC", "DOCX and EPUB are offered once pandoc is installed" },
    { "EXPORT_NEEDS_PANDOC", "DOCX and EPUB files are written by pandoc, which is not installed." },
    { "EXPORT_OK", "Manuscript exported successfully." },
    { "EXPORT_NOT_OK", "There was an error exporting the manuscript." },
    { "EXPORT_REPLACE", "already exists. Do you want to replace it?" },
    { "EXPORT_PROGRESS", "Exporting the manuscript..." },
    { "EXPORT_CANCEL", "Cancel" },
    { "STANDARD_MANUSCRIPT", "&Standard manuscript form" },
    { "MANUSCRIPT_AUTHOR", "&Author (byline):" },
    { "MANUSCRIPT_WORDS", "about %1 words" },
    { "FILTER_ODT", "OpenDocument Text" },
    { "FILTER_DOCX", "Word Document" },
    { "FILTER_PDF", "PDF Document" },
    { "FILTER_MARKDOWN", "Markdown" },
    { "FILTER_HTML", "Web Page" },
    { "FILTER_EPUB", "EPUB E-book" },
    { "EXPORT_FORMAT", "&Format:" },
    { "EXPORT_NEEDS_PANDOC_ITEM", "%1 (needs pandoc)" },
    { "EXPORT_INCLUDE", "Include" },
    { "EXPORT_TITLES_ONLY", "&Titles only: chapter and scene names" },
    { "EXPORT_FORM", "Form" },
    { "EXPORT_SCENE_TITLES", "Scene t&itles" },
    { "EXPORT_CURLY_QUOTES", "C&urly quotes and dashes" },
    { "EXPORT_FONT", "Fa&ce:" },
    { "EXPORT_FONT_TIMES", "12 pt Times New Roman, double spaced" },
    { "EXPORT_FONT_COURIER", "12 pt Courier New, double spaced" },
    { "EXPORT_PAPER", "&Paper:" },
    { "EXPORT_PAPER_LETTER", "Letter (8.5 × 11 in)" },
    { "EXPORT_PAPER_A4", "A4 (210 × 297 mm)" },
    { "EXPORT_TITLE_PAGE", "Title page" },
    { "EXPORT_CONTACT_NAME", "&Name:" },
    { "EXPORT_CONTACT_ADDRESS", "A&ddress:" },
    { "EXPORT_CONTACT_EMAIL", "&E-mail:" },
    { "EXPORT_CONTACT_PHONE", "P&hone:" },
    { "EXPORT_GO", "OK" },
    { "HELP_TOO_DEEP", "The help page '%1' is nested too deeply to be shown." },
    { "PROJECT_FOLDER_GONE", "The project's folder '%1' was renamed, moved or removed while the project was open. Nothing was saved there." },
    { "SAVE_ELSEWHERE", "Save the project with Save As, in a folder of its own?" },
    { "SAVED_IN_NEW_FOLDER", "Saved in the new folder '%1'" },
    { "FOLDER_HOLDS_PROJECT", "The folder '%1' already holds a project. Please choose another name or folder." },
    { "PROJECTS_SHARE_FOLDER", "This folder also holds the project %1. Projects in one folder share their cards: a card deleted in one is gone from the other. Save one of them in a folder of its own." },
    { "SAVE_AS_HINT", "A project is a folder: its cards and texts lie beside the project file. Saved into a folder that holds another project, it gets a new folder named after it." },
    { "COPY_FAILED", "Some nodexs/text files could not be copied." },
    { "STATE_TITLE", "&Revision Status" },
    { "STATE_DRAFT", "&Draft" },
    { "STATE_REVISED", "&Revised" },
    { "STATE_COMPLETED", "&Completed" },
    { "RECOVERY_TITLE", "Unsaved Texts" },
    { "RECOVERY_QUESTION", "Nodex ended before these texts were saved. Restore them in their edit windows?" },
    { "RECOVERY_ITEM", "%1 (typed until %2)" },
    { "RECOVERY_FILE_CHANGED", "its text file was changed since" },
    { "RECOVERY_CARD_GONE", "no nodex has this name now: compare to copy the text" },
    { "RECOVERY_RESTORE", "&Restore" },
    { "RECOVERY_COMPARE", "&Compare" },
    { "RECOVERY_DISCARD", "&Discard" },
    { "RECOVERY_LATER", "&Later" },
    { "RECOVERY_UNSAVED", "Unsaved text" },
    { "RECOVERY_ON_DISK", "Text file" },
    { "RECOVERY_NOT_READ", "The unsaved text could not be read." },
    { "RECOVERY_NOT_DISCARDED", "The unsaved text could not be discarded." },
    { "RECOVERY_NOT_KEPT", "Unsaved text is not kept for recovery: %1" },
    { "RECOVERY_RESTORED", "Unsaved text restored: not saved yet" },
    { "REMOVE_FROM_CHAIN", "Remove &from Chain" },
    { "STEP_MOVE_UP", "Move '%1' Up" },
    { "STEP_MOVE_DOWN", "Move '%1' Down" },
    { "STEP_MOVE_IN_CHAIN", "Move '%1'" },
    { "STEP_LINK_INTO_CHAIN", "Link '%1' into Chain" },
    { "STEP_REMOVE_FROM_CHAIN", "Remove '%1' from Chain" },
    { "DELETE_LEAVES_CHAIN_OPEN", "Deleting leaves a gap in the chain: the nodexs on either side are not linked to each other." },
    { "STEP_REPLACE_IN_CARD", "Replace '%1' in 1 card" },
    { "STEP_REPLACE_IN_CARDS", "Replace '%1' in %2 cards" },
    { "REPLACE_EDITED_SINCE", "'%1' was edited since the replace." },
    { "REPLACE_CHANGED_SINCE_SEARCH", "'%1' was changed since it was searched." },
} };

std::size_t Index(MessageKey key)
{
    return static_cast<std::size_t>(key);
}

} // namespace

MessageTable::MessageTable()
{
    for (std::size_t i = 0; i < Messages.size(); ++i)
        FTexts[i] = QString::fromUtf8(Messages[i].Text);
}

QString MessageTable::Text(MessageKey key) const
{
    return FTexts[Index(key)];
}

void MessageTable::Replace(MessageKey key, const QString& text)
{
    if (!text.isEmpty())
        FTexts[Index(key)] = text;
}

QString MessageTable::KeyName(MessageKey key)
{
    return QString::fromLatin1(Messages[Index(key)].Name);
}

std::optional<MessageKey> MessageTable::KeyFromName(const QString& name)
{
    for (std::size_t i = 0; i < Messages.size(); ++i) {
        if (name == QLatin1String(Messages[i].Name))
            return static_cast<MessageKey>(i);
    }
    return std::nullopt;
}

QString MessageTable::BuiltInText(MessageKey key)
{
    return QString::fromUtf8(Messages[Index(key)].Text);
}
