#pragma once

// How the spell checker sorts characters when it cuts a text into words. The table of word
// characters was made for Windows-1252 text: a character that Windows-1252 holds is judged by its
// code there, any other character is a word character when it is a letter or a mark.

/// The character's code in Windows-1252, or -1 for a character that code page does not hold.
int Windows1252Code(char32_t character);

/// Whether a word may hold the character: digits, letters, "&" and the apostrophes.
bool IsWordCharacter(char32_t character);

/// Whether the character may continue a word once begun: a word character other than "&", and,
/// where apostrophes split words (French), other than an apostrophe.
bool ContinuesWord(char32_t character, bool splitApostrophes);

/// The apostrophe, or the typographic apostrophe (the right single quotation mark, 0x92) that
/// stands for it in most texts typed today: both may not start a word, both are taken off its end,
/// and both split French words.
bool IsApostrophe(char32_t character);

/// Whether the character is taken off the end of a word: an apostrophe, a double quotation mark or
/// a period, so that "end." gives "end" and a word in quotation marks loses its closing mark.
bool IsStrippedFromWordEnd(char32_t character);
