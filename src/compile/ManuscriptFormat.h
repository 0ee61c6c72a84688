#pragma once

#include "messages/MessageTable.h"

#include <QList>
#include <QString>

/// The file types a manuscript is exported to.
enum class ManuscriptFormat { Odt, Docx, Pdf, Markdown, Html, Epub };

/// Every type, in the order the save dialog offers them.
QList<ManuscriptFormat> ManuscriptFormats();
/// The message that names a type, as the save dialog and the Export dialog name it.
MessageKey NameKeyOf(ManuscriptFormat format);
/// The type's extension, without its dot: "odt".
QString SuffixOf(ManuscriptFormat format);
/// DOCX and EPUB are written by pandoc; the rest by the program itself.
bool NeedsPandoc(ManuscriptFormat format);
/// The save dialog's filter for a type: its name, then its pattern: "Text (*.odt)".
QString FilterOf(ManuscriptFormat format, const QString& name);

/// Where an export goes and as what.
struct ExportTarget {
    QString Path;
    ManuscriptFormat Format = ManuscriptFormat::Odt;
};

/// The file and type for a name typed in the save dialog: an extension of one of the types
/// (in any letter case) picks that type; any other name gets the extension of the type chosen
/// in the dialog, so "Draft.v2" becomes "Draft.v2.odt".
ExportTarget ResolveExportTarget(const QString& typed, ManuscriptFormat chosen);
