#include "TempFolder.h"
#include "platform/ProgramFolders.h"
#include "spelling/SpellEngine.h"

#include <gtest/gtest.h>

namespace {
/// Sets environment variables for one test and puts the old values back afterwards.
class Environment {
public:
    void Set(const char* name, const QString& value)
    {
        FSaved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        qputenv(name, value.toUtf8());
    }
    ~Environment()
    {
        for (const auto& [name, value, set] : FSaved)
            set ? qputenv(name, value) : qunsetenv(name);
    }

private:
    struct Saved {
        const char* Name;
        QByteArray Value;
        bool WasSet;
    };
    QList<Saved> FSaved;
};
} // namespace

// A package's program finds no "Spelling/" folder beside it: the writer's word list and options
// go to the XDG data home, whose folder appears with the first word added.
TEST(InstalledSpelling, KeepsTheWordListAndOptionsInTheDataHomeMadeWhenFirstWritten)
{
    TempFolder home;
    Environment environment;
    environment.Set("HOME", home.Path());
    environment.Set("XDG_DATA_HOME", home.Path("data"));
    environment.Set("XDG_STATE_HOME", "relative/state"); // not absolute: the default applies
    const ProgramFolders folders = ProgramFolders::Packaged("/opt/nodex/bin/");
    EXPECT_EQ(folders.Data, "/opt/nodex/share/nodex/");
    EXPECT_EQ(folders.Backups, home.Path(".local/state/nodex/Backups/"));

    SpellEngine engine(folders);
    engine.Config.ConfigID = "writer";
    engine.Config.SystemDictionaryDirs.clear();
    EXPECT_FALSE(home.Exists("data/nodex"));
    QString error;
    ASSERT_TRUE(engine.AddWord("Quillon", error)) << error.toStdString();
    EXPECT_EQ(home.Read("data/nodex/Spelling/writer.adu"), "Quillon\n");
    SpellSettings settings = engine.Settings();
    settings.Options.Set(soNumbers, true);
    ASSERT_TRUE(engine.ApplySettings(settings, error)) << error.toStdString();
    EXPECT_TRUE(home.Read("data/nodex/Spelling/Spell.cfg").contains("[writer]"));
}
