#pragma once

#include "ManuscriptReadBack.h"
#include "TempFolder.h"
#include "compile/ManuscriptExport.h"

#include <gtest/gtest.h>

/// A chapter of ordinary prose as a novelist writes it: the chain Chapter → Scene A → Scene B,
/// paragraphs parted by blank lines, a "* * *" line between the two halves of Scene A, dialogue,
/// emphasis, a literal asterisk, straight quotes, an apostrophe and a double hyphen.
class ProseFixture : public testing::Test {
protected:
    ProseFixture();

    /// The job that writes the chain to `fileName` in the project folder as `format`, in
    /// standard manuscript form with the writer's contact block.
    ManuscriptExport Job(const QString& fileName, ManuscriptFormat format) const;
    /// Exports the chain as `job`; fails the test when the export does not succeed.
    QString Export(const ManuscriptExport& job);

    TempFolder Project;

    static const QString Chapter;
    static const QString SceneA;
    static const QString SceneB;
    /// The printed paragraphs, in order, as curly quotes and emphasis print them (the marks
    /// gone); a scene break stands before SecondHalf and before SceneBText.
    static const QStringList FirstHalf;
    static const QStringList SecondHalf;
    static const QStringList SceneBText;
    /// The words printed in italics and in bold, each exactly these.
    static const QStringList ItalicWords;
    static const QStringList BoldWords;
    /// The contact block and the rounded word count of the title page.
    static const ManuscriptContact Contact;
    static const QString RoundedCount;
};
