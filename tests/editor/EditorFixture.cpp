#include "EditorFixture.h"

#include "editor/EditorMemo.h"
#include "project/CardHistory.h"

#include <QTest>

QString LongParagraph(int words)
{
    QStringList text;
    for (int word = 1; word <= words; ++word)
        text << QStringLiteral("w%1").arg(word);
    text[words / 2] = QStringLiteral("10\u00A0km");
    return text.join(' ');
}

EditorFixture::EditorFixture()
    : Context(ProgramFolders::Portable(App.Path()), Dialogs, Shell, Messages)
{
    Project.MakeFolder("Text Files");
}

EditorFixture::~EditorFixture()
{
    if (Editor) {
        // Nothing may ask a question while the window goes.
        Editor->memEditor->document()->setModified(false);
        delete Editor.data();
    }
}

TfmEditor& EditorFixture::Open(EditMemory mode)
{
    Editor = new TfmEditor(Context);
    Editor->ProjectFolder = Project.Path();
    Editor->CardName = "Lamp";
    Editor->CardFilePath = Project.Path("Lamp.ndx");
    EditorSettings settings;
    settings.WindowMemory = mode;
    settings.FontName = "DejaVu Sans";
    Editor->ApplySettings(settings);
    Editor->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Editor));
    return *Editor;
}

void EditorFixture::Type(const QString& text)
{
    QTest::keyClicks(Editor->memEditor, text);
}

QList<QByteArray> EditorFixture::KeptTexts()
{
    QList<QByteArray> texts;
    CardHistory history(Project.Path() + '/');
    for (const CardHistoryEntry& entry : history.Entries("Lamp")) {
        QByteArray bytes;
        QString error;
        EXPECT_TRUE(history.Read(entry, bytes, error)) << error.toStdString();
        texts.append(bytes);
    }
    return texts;
}
