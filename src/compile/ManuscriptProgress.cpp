#include "compile/ManuscriptProgress.h"

#include <QtGlobal>

ManuscriptProgress PartOf(const ManuscriptProgress& whole, int from, int to)
{
    if (!whole)
        return {};
    return [whole, from, to](int permille) { return whole(from + (to - from) * permille / 1000); };
}

bool ReportStep(const ManuscriptProgress& progress, qint64 done, qint64 total)
{
    return !progress || progress(total > 0 ? int(done * 1000 / total) : 1000);
}
