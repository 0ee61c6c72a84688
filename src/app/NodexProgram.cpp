#include "app/NodexProgram.h"

#include "app/Main.h"
#include "compile/Compile.h"
#include "compile/FindAndCompile.h"
#include "editor/Editor.h"
#include "editor/FindReplace.h"
#include "platform/Dialogs.h"
#include "properties/Properties.h"
#include "settings/About.h"
#include "settings/Options.h"

NodexProgram::NodexProgram(const ProgramFolders& folders, Dialogs& dialogs, Shell& shell, int splashDraw)
    : FDialogs(dialogs)
    , fmMain(std::make_unique<TfmMain>(folders, dialogs, shell, FMessages, splashDraw))
    , fmAbout(new TfmAbout(FMessages, fmMain.get()))
    , fmCompile(new TfmCompile(dialogs, FMessages, fmMain.get()))
    , fmEditor(std::make_unique<TfmEditor>(fmMain->Editors()))
    , fmFindReplace(new TfmFindReplace(dialogs, FMessages, fmMain->Editors().ReplaceAllWarned, fmMain.get()))
    , fmOptions(new TfmOptions(folders.Data, fmMain.get()))
    , fmProperties(new TfmProperties(dialogs, FMessages, fmMain.get()))
    , fmFindAndCompile(new TfmFindAndCompile(fmMain.get()))
{
    fmMain->SetPropertiesDialog(*fmProperties);
    fmMain->SetOptionsDialog(*fmOptions);
    fmMain->SetAboutBox(*fmAbout);
    fmMain->Editors().TemplateEditor = fmEditor.get();
    fmMain->Editors().TemplateFindReplace = fmFindReplace;
    fmMain->SetCompileWindows(*fmCompile, *fmFindAndCompile);
    fmMain->SetTranslatedWindows({{"fmMain", fmMain.get()}, {"fmEditor", fmEditor.get()},
                                  {"fmFindReplace", fmFindReplace}, {"fmCompile", fmCompile},
                                  {"fmFindAndCompile", fmFindAndCompile}, {"fmOptions", fmOptions},
                                  {"fmProperties", fmProperties}});
}

NodexProgram::~NodexProgram() = default;

bool NodexProgram::Start(const QStringList& arguments)
{
    if (arguments.size() > 1) {
        FDialogs.ShowInformation(FMessages.Text(MessageKey::ONLY_ONE_FILE));
        return false;
    }
    if (arguments.size() == 1 && !fmMain->OpenProject(arguments.first()))
        return false;
    if (!fmMain->isVisible())
        fmMain->show();
    return true;
}
