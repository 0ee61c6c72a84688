#include "goals/WritingHistory.h"

#include <gtest/gtest.h>

TEST(WritingHistory, DamagedLinesAreSkippedAndWrittenBackWhereTheyStood)
{
    const QByteArray file = "# our columns\n"
                            "2026-11-30\t1000\t250\t10\t40\n"
                            "2026-13-01\t1240\t5\t0\t1\n" // no such month
                            "2026-12-02\t1240\t5\t0\n" // a column short
                            "2026-12-03\t1240\t-5\t0\t1\n" // a count below none
                            "2026-12-04\t1240\t5\t0\t1\tx\n" // a column too many
                            "\n"
                            "2026-12-05\t1240\t300\t20\t55\n"
                            "2026-12-01\t1240\t5\t0\t1\n" // out of order
                            "20261206\t1520\t5\t0\t1"; // no last line end
    WritingHistory history;
    history.Parse(file);
    ASSERT_EQ(history.Days().size(), 2u);
    EXPECT_EQ(history.Days()[0], (WritingDay { QDate(2026, 11, 30), 1000, 250, 10, 40 }));
    EXPECT_EQ(history.Days()[1], (WritingDay { QDate(2026, 12, 5), 1240, 300, 20, 55 }));
    EXPECT_EQ(history.Day(QDate(2026, 12, 2)), nullptr);
    EXPECT_EQ(history.Bytes(), file + "\n");

    // New days go in date order among the kept lines, which keep their places; a day already
    // kept adds the counts and keeps its start.
    history.Merge({ QDate(2026, 12, 3), 1240, 7, 0, 2 });
    history.Merge({ QDate(2026, 11, 1), 900, 60, 0, 9 });
    history.Merge({ QDate(2026, 12, 5), 9999, -30, 5, 10 });
    history.Merge({ QDate(2026, 12, 7), 1520, 80, 0, 12 });
    const QByteArray lines = history.Bytes();
    EXPECT_EQ(lines,
        "# our columns\n"
        "2026-11-01\t900\t60\t0\t9\n"
        "2026-11-30\t1000\t250\t10\t40\n"
        "2026-13-01\t1240\t5\t0\t1\n"
        "2026-12-02\t1240\t5\t0\n"
        "2026-12-03\t1240\t-5\t0\t1\n"
        "2026-12-04\t1240\t5\t0\t1\tx\n"
        "\n"
        "2026-12-03\t1240\t7\t0\t2\n"
        "2026-12-05\t1240\t270\t25\t65\n"
        "2026-12-01\t1240\t5\t0\t1\n"
        "20261206\t1520\t5\t0\t1\n"
        "2026-12-07\t1520\t80\t0\t12\n");
    WritingHistory again;
    again.Parse(lines);
    EXPECT_EQ(again.Days(), history.Days());
    EXPECT_EQ(again.Bytes(), lines);
}
