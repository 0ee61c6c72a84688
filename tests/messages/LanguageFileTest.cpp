#include "messages/LanguageFile.h"

#include "platform/IniFile.h"
#include "messages/ReasonTexts.h"
#include "messages/MessageTable.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {
QByteArray ShippedLanguage(const QString& name)
{
    QFile file(QStringLiteral(NODEX_DATA_FOLDER "/Languages/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The sections and keys of a language file, as "section/key".
QStringList KeysOf(const QByteArray& text)
{
    IniFile file;
    file.LoadFromBytes(text);
    QStringList keys;
    for (const QString& section : file.Sections())
        for (const QString& key : file.Keys(section))
            keys << section + "/" + key;
    return keys;
}

template <typename T>
T* Named(QWidget* parent, const char* name)
{
    auto* child = new T(parent);
    child->setObjectName(name);
    return child;
}
} // namespace

TEST(LanguageFile, TheShippedFilesHoldEveryKey)
{
    const QByteArray english = ShippedLanguage("English.ini");
    if (english != EnglishLanguageFile()) {
        QFile expected("English.ini.expected");
        if (expected.open(QIODevice::WriteOnly))
            expected.write(EnglishLanguageFile());
        FAIL() << "data/Languages/English.ini is not the template of the program's texts; the template "
                  "is in " << QFileInfo(expected).absoluteFilePath().toStdString();
    }
    const QByteArray german = ShippedLanguage("German.ini");
    IniFile translation;
    translation.LoadFromBytes(german);
    for (const QString& key : KeysOf(english)) {
        const QString section = key.section('/', 0, 0);
        EXPECT_FALSE(translation.ReadString(section, key.section('/', 1), {}).isEmpty()) << key.toStdString();
    }
    EXPECT_EQ(KeysOf(german).size(), KeysOf(english).size()) << "German.ini holds no key of its own";
}

TEST(LanguageFile, ValuesAreComposedAndTheLaterKeyWins)
{
    QDialog options;
    options.setObjectName("fmOptions");
    auto* tabs = Named<QTabWidget>(&options, "pcOptions");
    auto* page = new QWidget;
    page->setObjectName("tsProject");
    tabs->addTab(page, "Project");
    auto* group = Named<QGroupBox>(&options, "gbFont");
    auto* label = Named<QLabel>(&options, "lblTargetWordCount");
    auto* button = Named<QCheckBox>(&options, "cbHints");
    QDialog find;
    find.setObjectName("fmFindReplace");
    auto* findButton = Named<QCheckBox>(&find, "btnFind");
    QDialog compile;
    compile.setObjectName("fmFindAndCompile");
    auto* compileButton = Named<QCheckBox>(&compile, "btnFind");
    QWidget main;
    main.setObjectName("fmMain");
    QMenu menu(&main);
    QAction* item = menu.addAction("Word Count");
    item->setObjectName("pmnuWordCount");
    button->setText("kept");

    IniFile file;
    file.LoadFromBytes("[Options]\nTL00=Optionen\n[Dialog.Options]\nTL00=Einstellungen\nTB01=Projekt\nGB07=Schrift\n"
                       "LB00=Zielwortzahl\nCB03=\n[Dialog.FindReplace]\nBN00=&Suchen\n[Project.Tools]\nMN03=&Wörter\n"
                       "[Messages]\nMERGE_OK=Zusammengeführt.\nSAVE_PROJECT=\n[Nodex.Messages]\nLOCKED_HERE=hier %1\n"
                       "[Nodex.Reasons]\nCANNOT_WRITE=Nicht schreibbar '%1': %2\n");
    MessageTable messages;
    ApplyLanguageFile(file, {{"fmOptions", &options}, {"fmFindReplace", &find}, {"fmFindAndCompile", &compile}, {"fmMain", &main}},
                      messages);

    EXPECT_EQ(options.windowTitle(), "Nodex Einstellungen") << "the later key wins, with its form";
    EXPECT_EQ(tabs->tabText(0), "Projekt");
    EXPECT_EQ(group->title(), " Schrift ");
    EXPECT_EQ(label->text(), "Zielwortzahl:");
    EXPECT_EQ(button->text(), "kept") << "an empty value leaves the caption";
    EXPECT_EQ(findButton->text(), "&Suchen");
    EXPECT_EQ(compileButton->text(), "&Suchen") << "one key, both dialogs";
    EXPECT_EQ(item->text(), QString::fromUtf8("&Wörter"));
    EXPECT_EQ(messages.Text(MessageKey::MERGE_OK), QString::fromUtf8("Zusammengeführt."));
    EXPECT_EQ(messages.Text(MessageKey::SAVE_PROJECT), MessageTable::BuiltInText(MessageKey::SAVE_PROJECT));
    EXPECT_EQ(messages.Text(MessageKey::LOCKED_HERE), "hier %1");
    EXPECT_EQ(ReasonText(Reason::CANNOT_WRITE), "Nicht schreibbar '%1': %2");
    SetReasonText(Reason::CANNOT_WRITE, BuiltInReason(Reason::CANNOT_WRITE));
}

TEST(LanguageFile, TheNameChoosesTheSpellCheckersDialogs)
{
    const struct {
        const char* File;
        const char* Dialogs;
    } cases[] = {{"German.ini", "German"}, {"NORWEGIAN.ini", "Norwegian (Bokmål)"},
                 {"Brasil-Portuguese.ini", "Brazilian Portuguese"}, {"Dutch.ini", "English"},
                 {"english.ini.bak", "English"}};
    for (const auto& c : cases)
        EXPECT_EQ(SpellDialogLanguage(LanguageName(c.File)), QString::fromUtf8(c.Dialogs)) << c.File;
}
