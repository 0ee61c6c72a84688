#include "platform/IniFile.h"

#include "TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(IniFile, NamesMatchWithoutCaseAndValuesAreTrimmed)
{
    IniFile ini;
    ini.LoadFromBytes("[StateData]\nType = 3 \n\tState=\t2\n[Description]\n"
                      "Text=  a card  \n[\xC3\x89t\xC3\xA9]\nK=accented\n");
    EXPECT_EQ(ini.ReadInteger("statedata", "TYPE", 0), 3);
    EXPECT_EQ(ini.ReadInteger("STATEDATA", "state", 0), 2);
    EXPECT_EQ(ini.ReadString("description", "text", "x"), QString("a card"));
    EXPECT_TRUE(ini.HasKey("Description", "TEXT"));
    EXPECT_TRUE(ini.HasSection("DESCRIPTION"));
    // Only A to Z fold.
    EXPECT_TRUE(ini.HasSection(QString::fromUtf8("Été")));
    EXPECT_FALSE(ini.HasSection(QString::fromUtf8("été")));

    EXPECT_EQ(ini.ReadString("Description", "Missing", "fallback"), QString("fallback"));
    EXPECT_EQ(ini.ReadString("Missing", "Text", "fallback"), QString("fallback"));
    EXPECT_EQ(ini.ReadInteger("Position", "Left", 100), 100);
    EXPECT_EQ(
        ini.Sections(), QStringList({ "StateData", "Description", QString::fromUtf8("Été") }));
    EXPECT_EQ(ini.Keys("statedata"), QStringList({ "Type", "State" }));
}

TEST(IniFile, LongValuesAreCutAt2047Characters)
{
    const QByteArray value(3000, 'w');
    IniFile ini;
    ini.LoadFromBytes("[Description]\nText=" + value + "\nShort=" + value.left(2047));
    EXPECT_EQ(ini.ReadString("Description", "Text", {}), QString(IniFile::MaxValueLength, 'w'));
    EXPECT_EQ(ini.ReadString("Description", "Short", {}).size(), 2047);
}

TEST(IniFile, IntegersAreDecimalOrHexAndAnythingElseIsTheDefault)
{
    IniFile ini;
    ini.LoadFromBytes("[N]\nA=42\nB=-17\nC=0x1F\nD=0XfF\nE=0xFFFFFFFF\nF=007\n"
                      "G=-2147483648\nH=2147483647\n"
                      "Bad1=12abc\nBad2=\nBad3= \nBad4=2147483648\nBad5=0x100000000\n"
                      "Bad6=0x\nBad7=-\nBad8=+5\nBad9=1.5\nBad10=-0x10\nBad11=0x1G\n"
                      "[F]\nOn=1\nOff=0\nOther=7\nWord=yes\n");
    EXPECT_EQ(ini.ReadInteger("N", "A", 0), 42);
    EXPECT_EQ(ini.ReadInteger("N", "B", 0), -17);
    EXPECT_EQ(ini.ReadInteger("N", "C", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "D", 0), 255);
    EXPECT_EQ(ini.ReadInteger("N", "E", 0), -1);
    EXPECT_EQ(ini.ReadInteger("N", "F", 0), 7);
    EXPECT_EQ(ini.ReadInteger("N", "G", 0), -2147483647 - 1);
    EXPECT_EQ(ini.ReadInteger("N", "H", 0), 2147483647);
    for (int i = 1; i <= 11; ++i)
        EXPECT_EQ(ini.ReadInteger("N", QString("Bad%1").arg(i), -5), -5) << "Bad" << i;

    EXPECT_TRUE(ini.ReadBool("F", "On", false));
    EXPECT_FALSE(ini.ReadBool("F", "Off", true));
    EXPECT_TRUE(ini.ReadBool("F", "Other", false));
    EXPECT_TRUE(ini.ReadBool("F", "Word", true));
    EXPECT_FALSE(ini.ReadBool("F", "Word", false));
    EXPECT_TRUE(ini.ReadBool("F", "Missing", true));
}

TEST(IniFile, WritingKeepsEverythingElseByteForByte)
{
    TempFolder folder;
    const QByteArray original = "; Nodex card\n"
                                "[StateData]\n"
                                "Type=2\n"
                                "; revision\n"
                                "State=1\n"
                                "\n"
                                "[EditWindow]\n"
                                "Maximised=0\n"
                                "Top=10\n"
                                "\n"
                                "[Position]\n"
                                "Left=100\n"
                                "Top=200\n"
                                "\n"
                                "; kept at the end\n";
    const QString path = folder.Write("Card.ndx", original);
    IniFile ini(path);
    QString error;
    ASSERT_TRUE(ini.Load(error)) << error.toStdString();
    ASSERT_TRUE(ini.Save(error)) << error.toStdString();
    EXPECT_EQ(folder.Read("Card.ndx"), original);

    // An existing key keeps its spelling and place; new keys and sections come last.
    ini.WriteInteger("STATEDATA", "state", 4);
    ini.WriteInteger("position", "TOP", -3);
    ini.WriteString("Description", "Text", "two\r\nlines\n");
    ini.WriteBool("StateData", "Marked", true);
    ASSERT_TRUE(ini.Save(error)) << error.toStdString();
    EXPECT_EQ(folder.Read("Card.ndx"),
        QByteArray("; Nodex card\n"
                   "[StateData]\n"
                   "Type=2\n"
                   "; revision\n"
                   "State=4\n"
                   "Marked=1\n"
                   "\n"
                   "[EditWindow]\n"
                   "Maximised=0\n"
                   "Top=10\n"
                   "\n"
                   "[Position]\n"
                   "Left=100\n"
                   "Top=-3\n"
                   "\n"
                   "[Description]\n"
                   "Text=two  lines\n"
                   "\n"
                   "; kept at the end\n"));

    ini.EraseSection("editwindow");
    EXPECT_FALSE(ini.HasSection("EditWindow"));
    EXPECT_FALSE(ini.ToBytes().contains("Maximised"));
    EXPECT_TRUE(ini.ToBytes().startsWith("; Nodex card\n[StateData]\n"));
}

TEST(IniFile, ReadOnlyAndMissingFiles)
{
    TempFolder folder;
    const QByteArray original = "[Theme]\nName=Book.ini\n";
    const QString path = folder.Write("Project.nodex", original);
    ASSERT_TRUE(
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    IniFile readOnly(path);
    QString error;
    ASSERT_TRUE(readOnly.Load(error));
    readOnly.WriteString("Theme", "Name", "Other.ini");
    EXPECT_FALSE(readOnly.Save(error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(folder.Read("Project.nodex"), original);

    IniFile missing(folder.Path("Nodex.ini"));
    EXPECT_TRUE(missing.Load(error)) << error.toStdString();
    EXPECT_EQ(missing.ReadInteger("AppWindow", "Top", -1), -1);
    missing.WriteBool("AppWindow", "Maximised", false);
    ASSERT_TRUE(missing.Save(error)) << error.toStdString();
    EXPECT_EQ(folder.Read("Nodex.ini"), QByteArray("[AppWindow]\nMaximised=0\n"));

    // A folder in the file's place cannot be read, and is never written over.
    IniFile folderInstead(folder.MakeFolder("Themes"));
    EXPECT_FALSE(folderInstead.Load(error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(folderInstead.Save(error));
}

TEST(IniFile, DamagedFilesLoadAndKeepTheFirstOfDuplicateKeys)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 131 + 7) % 256);
    IniFile ini;
    ini.LoadFromBytes(garbage);
    ini.LoadFromBytes("[A]\nK=" + QByteArray(100000, 'x') + "\n" + QByteArray(100000, '[') + "\n");
    EXPECT_EQ(ini.ReadString("A", "K", {}).size(), IniFile::MaxValueLength);

    const char damaged[] = "[A]\nX=1\0\0\n[B]\nY=\xFF\xFE\n=no key\nno equals\n[C\n";
    ini.LoadFromBytes(QByteArray(damaged, sizeof(damaged) - 1));
    EXPECT_EQ(ini.ReadInteger("A", "X", 0), 1);
    EXPECT_EQ(ini.ReadString("B", "Y", {}), QString::fromUtf8("ÿþ"));

    ini.LoadFromBytes("[A]\nKey=first\nKEY=second\n[a]\nkey=third\nOther=1\n");
    EXPECT_EQ(ini.ReadString("A", "Key", {}), QString("first"));
    EXPECT_EQ(ini.ReadInteger("A", "Other", 0), 1);
    ini.WriteString("a", "key", "new");
    EXPECT_EQ(ini.ToBytes(), QByteArray("[A]\nKey=new\nOther=1\n"));
}

TEST(IniFile, ReadsWindows1252AndUtf8WithByteOrderMark)
{
    IniFile old;
    old.LoadFromBytes("[Description]\nText=caf\xE9 \x93quoted\x94\n");
    EXPECT_EQ(old.ReadString("Description", "Text", {}), QString::fromUtf8("café “quoted”"));
    // Written back as UTF-8 without a byte-order mark.
    EXPECT_EQ(old.ToBytes(),
        QByteArray("[Description]\nText=caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D\n"));

    IniFile marked;
    marked.LoadFromBytes("\xEF\xBB\xBF[Description]\r\nText=caf\xC3\xA9\r\n");
    EXPECT_EQ(marked.ReadString("description", "text", {}), QString::fromUtf8("café"));
    EXPECT_EQ(marked.ToBytes(), QByteArray("[Description]\nText=caf\xC3\xA9\n"));
}
