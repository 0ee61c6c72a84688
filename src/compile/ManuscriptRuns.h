#pragma once

#include "editor/InlineMarkup.h"

class QTextBlock;

/// A block's text in runs of one emphasis each, as the writer marked it: italic or bold beyond
/// the block's own face, so that a subtitle (italic throughout) or a heading (bold) is no
/// emphasis. Adjoining runs of the same emphasis are joined.
QList<StyledRun> EmphasisRuns(const QTextBlock& block);
