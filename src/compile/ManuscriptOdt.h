#pragma once

#include "compile/ManuscriptDocument.h"

#include <QByteArray>

/// The manuscript as an OpenDocument Text file: every part of the document in a paragraph style
/// of its own (so a writer or an editor can restyle the whole book in an office suite), the
/// page, the body face and, in standard form, the title page and the running header that an
/// agent expects. Written into memory: nothing here can fail.
QByteArray ManuscriptOdt(const ManuscriptDocument& manuscript);
