#pragma once

#include "ManuscriptReadBack.h"
#include "TempFolder.h"
#include "compile/ManuscriptExport.h"

#include <gtest/gtest.h>

/// A three-card chain as writers make them: a chapter whose name holds an ampersand and angle
/// brackets, with a description, accents, Cyrillic, CJK, an emoji, Markdown and HTML markup
/// characters (its emphasis marks printed as italics), spaces at both ends of a line, control
/// characters and a scene break; a scene that is
/// no chapter, whose blank lines at either end of its text are no scene break; and a second chapter
/// without a text file.
class ManuscriptFixture : public testing::Test {
protected:
    ManuscriptFixture();

    /// The job that writes the chain to `fileName` in the project folder as `format`.
    ManuscriptExport Job(const QString& fileName, ManuscriptFormat format) const;
    /// Exports the chain; fails the test when the export does not succeed.
    QString Export(const QString& fileName, ManuscriptFormat format, bool standard = false);

    /// The paragraphs every format must give back, in order.
    static QList<ReadParagraph> Expected();

    TempFolder Project;
};
