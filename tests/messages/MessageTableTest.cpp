#include "messages/MessageTable.h"

#include <gtest/gtest.h>

TEST(MessageTable, EveryKeyHasItsNameAndAText)
{
    for (int i = 0; i < MessageTable::Count; ++i) {
        const auto key = static_cast<MessageKey>(i);
        const QString name = MessageTable::KeyName(key);
        EXPECT_EQ(MessageTable::KeyFromName(name), key) << name.toStdString();
        EXPECT_FALSE(MessageTable::BuiltInText(key).isEmpty()) << name.toStdString();
    }
    EXPECT_EQ(MessageTable::KeyName(MessageKey::SAVE_PROJECT), QString("SAVE_PROJECT"));
    EXPECT_EQ(MessageTable::KeyFromName("MERGE_NOT_OK"), MessageKey::MERGE_NOT_OK);
    EXPECT_EQ(MessageTable::KeyFromName("save_project"), std::nullopt);
    EXPECT_EQ(MessageTable::KeyFromName("UNKNOWN"), std::nullopt);
}

TEST(MessageTable, BuiltInEnglishUntilReplacedByNonEmptyText)
{
    MessageTable table;
    EXPECT_EQ(table.Text(MessageKey::NEW_NODEX), QString("New"));
    EXPECT_EQ(table.Text(MessageKey::CANNOT_OPEN_FILE),
        QString("Cannot open - file may be open in another application."));
    EXPECT_EQ(table.Text(MessageKey::DOES_NOT_EXIST), QString("file does not exist."));
    EXPECT_EQ(table.Text(MessageKey::MERGE_NOT_OK), QString("There was an error during merging."));

    table.Replace(MessageKey::SAVE_PROJECT, QString::fromUtf8("Enregistrer le projet ?"));
    table.Replace(MessageKey::SAVE_PROJECT, QString());
    EXPECT_EQ(table.Text(MessageKey::SAVE_PROJECT), QString::fromUtf8("Enregistrer le projet ?"));
    EXPECT_EQ(MessageTable::BuiltInText(MessageKey::SAVE_PROJECT),
        QString("Save changes to current project workspace?"));
}
