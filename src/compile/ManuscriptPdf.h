#pragma once

#include "compile/ManuscriptProgress.h"

#include <QString>

class ManuscriptDocument;
class QIODevice;

enum class WriteOutcome { Written, Failed, Cancelled };

/// Lays the manuscript out on pages and prints them as PDF into `device`; in standard
/// manuscript form every page after the title page has the header "Author / Title / page".
/// Pages are drawn block by block, so that a long manuscript costs its length, not its length
/// times its pages.
WriteOutcome WriteManuscriptPdf(ManuscriptDocument& manuscript, QIODevice& device,
    const ManuscriptProgress& progress, QString& error);
