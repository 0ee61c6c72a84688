#pragma once

#include "compile/ManuscriptProgress.h"

#include <QString>

class ManuscriptDocument;
class QIODevice;

enum class WriteOutcome { Written, Failed, Cancelled };

/// Lays the manuscript out on pages and prints them as PDF into `device`; in standard
/// manuscript form every page after the title page has the header "Surname / TITLE / page".
/// Each line is drawn as soon as it is laid out (ManuscriptPageFlow); the progress is looked at
/// with every new page.
WriteOutcome WriteManuscriptPdf(ManuscriptDocument& manuscript, QIODevice& device,
    const ManuscriptProgress& progress, QString& error);
