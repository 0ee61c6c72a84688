#pragma once

#include "spelling/WordParser.h"

#include <QList>
#include <QString>
#include <optional>

class SpellEngine;

/// The words of a piece of text (one line, or a piece of a long one) that are misspelled, each
/// where it stands in the piece; `leadIn` is the start of the line before the piece.
QList<ParsedWord> MisspelledWords(
    SpellEngine& engine, const QString& text, const QString& leadIn = {});

/// The misspelled word of a piece of text that holds the offset, if there is one.
std::optional<ParsedWord> MisspelledWordAt(
    SpellEngine& engine, const QString& text, qsizetype offset, const QString& leadIn = {});
