#include "compile/ManuscriptRuns.h"

#include <QFont>
#include <QTextBlock>

QList<StyledRun> EmphasisRuns(const QTextBlock& block)
{
    const QTextCharFormat base = block.charFormat();
    const bool baseItalic = base.fontItalic();
    const bool baseBold = base.fontWeight() >= QFont::Bold;
    QList<StyledRun> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        const bool italic = format.fontItalic() && !baseItalic;
        const bool bold = format.fontWeight() >= QFont::Bold && !baseBold;
        if (!runs.isEmpty() && runs.last().Italic == italic && runs.last().Bold == bold)
            runs.last().Text += fragment.text();
        else
            runs.append({ fragment.text(), italic, bold });
    }
    return runs;
}
