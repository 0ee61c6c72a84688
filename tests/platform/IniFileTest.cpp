#include "platform/IniFile.h"

#include "TempFolder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <climits>
#include <gtest/gtest.h>

TEST(IniFile, ReadsNamesWithoutCaseAndValuesTrimmedOrAsStored)
{
    const char text[] = "Top=above\n"
                        "[StateData]\nType = 3 \n\tState=\t2\n[LinkTo]\nName= Lead \n"
                        "[\xC3\x89t\xC3\xA9]\nK=accented\n[Dup]\nKey=first\nKEY=second\n"
                        "[dup]\nkey=third\nOther=1\n[Nul]\nX=1\0\0\n[Long]\nText=";
    const QByteArray bytes = QByteArray(text, sizeof(text) - 1) + QByteArray(3000, 'w')
        + "\nPair=" + QByteArray(2046, 'w') + "\xF0\x9F\x98\x80\n";
    // Big files are searched through an index, small ones line by line.
    QByteArray padding = "[Padding]\n";
    for (int i = 0; i < 40; ++i)
        padding += "P" + QByteArray::number(i) + "=\n";
    const QString longValue(IniFile::MaxValueLength, 'w');
    const struct {
        const char *Section, *Key;
        QString Trimmed, Untrimmed;
    } cases[] = {
        { "statedata", "TYPE", "3", " 3 " },
        { "STATEDATA", "state", "2", "\t2" },
        { "LinkTo", "Name", "Lead", " Lead " },
        { "\xC3\x89t\xC3\xA9", "K", "accented", "accented" },
        // Only A to Z fold.
        { "\xC3\xA9t\xC3\xA9", "K", "fallback", "fallback" },
        { "DUP", "key", "first", "first" },
        { "Dup", "Other", "1", "1" },
        { "Nul", "X", "1", "1" },
        { "Long", "Text", longValue, longValue },
        { "Long", "Pair", longValue.left(2046), longValue.left(2046) },
        { "", "Top", "above", "above" },
        { "StateData", "Missing", "fallback", "fallback" },
        { "Missing", "Type", "fallback", "fallback" },
    };
    for (const QByteArray& extra : { QByteArray(), padding }) {
        IniFile ini;
        ini.LoadFromBytes(bytes + extra);
        for (const auto& c : cases) {
            EXPECT_EQ(ini.ReadString(c.Section, c.Key, "fallback"), c.Trimmed)
                << c.Section << c.Key;
            EXPECT_EQ(ini.ReadUntrimmed(c.Section, c.Key, "fallback"), c.Untrimmed) << c.Key;
        }
        EXPECT_EQ(ini.Sections().mid(0, 6),
            QStringList({ "StateData", "LinkTo", QString::fromUtf8("Été"), "Dup", "Nul", "Long" }));
        EXPECT_EQ(ini.Keys("dup"), QStringList({ "Key", "Other" }));

        ini.WriteString("dup", "KEY", "new");
        ini.WriteString("LinkTo", "Extra", "e");
        ini.WriteString("Fresh", "K", "f");
        EXPECT_EQ(ini.ReadString("Dup", "Key", {}) + ini.ReadString("linkto", "extra", {})
                + ini.ReadString("fresh", "k", {}) + ini.ReadString("Dup", "Other", {}),
            "newef1")
            << extra.size();
    }
}

TEST(IniFile, IntegersAreDecimalOrHexAndAnythingElseIsTheFallback)
{
    const std::pair<const char*, int> numbers[]
        = { { "42", 42 }, { "-17", -17 }, { "0x1F", 31 }, { "0XfF", 255 }, { "0xFFFFFFFF", -1 },
              { "007", 7 }, { "-2147483648", INT_MIN }, { "2147483647", INT_MAX } };
    for (const auto& [text, expected] : numbers) {
        int value = 0;
        EXPECT_TRUE(ParseIniInteger(text, value) && value == expected) << text;
    }
    for (const char* text :
        { "12abc", "", "2147483648", "0x100000000", "0x", "-", "+5", "1.5", "-0x10", "0x1G" }) {
        int value = 0;
        EXPECT_FALSE(ParseIniInteger(text, value)) << text;
    }

    IniFile ini;
    ini.LoadFromBytes("[F]\nOff=0\nOther=7\nWord=yes\n");
    EXPECT_FALSE(ini.ReadBool("F", "Off", true));
    EXPECT_TRUE(ini.ReadBool("F", "Other", false));
    EXPECT_FALSE(ini.ReadBool("F", "Word", false));
    EXPECT_EQ(ini.ReadInteger("F", "Word", -5), -5);
}

TEST(IniFile, WritesInPlaceAndAppendsInTheUsualLayout)
{
    const QByteArray original = "; Nodex card\n[StateData]\nType=2\n; revision\nState=1\n\n"
                                "[Position]\nLeft=100\nTop=200\n\n; kept at the end\n";
    IniFile ini;
    ini.LoadFromBytes(original);
    ini.WriteInteger("STATEDATA", "state", 4);
    ini.WriteInteger("position", "TOP", -3);
    ini.WriteString("LinkTo", "Name", " Lead\r\n");
    ini.WriteBool("StateData", "Marked", true);
    EXPECT_EQ(ini.ToBytes(),
        QByteArray(
            "; Nodex card\n[StateData]\nType=2\n; revision\nState=4\nMarked=1\n\n"
            "[Position]\nLeft=100\nTop=-3\n\n; kept at the end\n\n[LinkTo]\nName= Lead  \n"));

    ini.EraseSection("position");
    EXPECT_EQ(ini.Sections(), QStringList({ "StateData", "LinkTo" }));
    EXPECT_FALSE(ini.ToBytes().contains("Left"));
}

TEST(IniFile, KeepsEveryByteItDoesNotRewrite)
{
    TempFolder folder;
    const char messy[] = "Orphan=above any section\r\n; comment\r\n  [ StateData ]  ; x\r\n"
                         "  Type = 3 \r\njunk without equals\r\n=no key\r\n[Broken\r\n"
                         "State=1\r\nSTATE=2\r\nX=1\0\0\r\n\r\n[Position]\nTop=7";
    const QByteArray original(messy, sizeof(messy) - 1);
    const QString path = folder.Write("Card.ndx", original);
    const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite)
            && file.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    IniFile ini(path);
    QString error;
    ASSERT_TRUE(ini.Load(error)) << error.toStdString();
    ini.WriteString("StateData", "State", "1");
    EXPECT_FALSE(ini.Changed());
    ASSERT_TRUE(ini.Save(error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(path).lastModified(), longAgo);

    ini.WriteInteger("stateDATA", "state", 4);
    ini.WriteInteger("Position", "Left", 9);
    ASSERT_TRUE(ini.Save(error)) << error.toStdString();
    QByteArray expected = original;
    expected.replace("State=1", "State=4").append("\r\nLeft=9\r\n");
    EXPECT_EQ(folder.Read("Card.ndx"), expected);
}

TEST(IniFile, WritesUtf8WithoutByteOrderMarkOnceSomethingChanged)
{
    const QString utf16 = QString::fromUtf8("[D]\r\nText=café\r\n");
    const QByteArray cases[] = { "[D]\r\nText=caf\xE9\r\n",
        "\xEF\xBB\xBF[D]\r\nText=caf\xC3\xA9\r\n",
        QStringEncoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom).encode(utf16) };
    for (const QByteArray& bytes : cases) {
        IniFile ini;
        ini.LoadFromBytes(bytes);
        ini.WriteInteger("D", "New", 1);
        EXPECT_EQ(ini.ToBytes(), QByteArray("[D]\r\nText=caf\xC3\xA9\r\nNew=1\r\n"))
            << bytes.toHex().toStdString();
    }
}

TEST(IniFile, MissingFileReadsAsEmptyAndSaveMakesIt)
{
    TempFolder folder;
    IniFile missing(folder.Path("Nodex.ini"));
    QString error;
    ASSERT_TRUE(missing.Load(error)) << error.toStdString();
    missing.WriteBool("AppWindow", "Maximised", false);
    ASSERT_TRUE(missing.Save(error)) << error.toStdString();
    EXPECT_EQ(folder.Read("Nodex.ini"), QByteArray("[AppWindow]\nMaximised=0\n"));

    IniFile unwritable(folder.Path("No Such Folder/Nodex.ini"));
    unwritable.WriteBool("AppWindow", "Maximised", false);
    EXPECT_FALSE(unwritable.Save(error) || error.isEmpty());
}
