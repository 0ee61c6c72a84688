#include "HelpFolderFixture.h"

HelpFolderFixture::HelpFolderFixture()
{
    Root.Write("Help/index.html",
        "<html><body><h1>Welcome to the help</h1>"
        "<p><a href=\"keys.html\">Keys</a></p>"
        "<p><a href=\"http://example.org/\">Web</a></p>"
        "<p><a href=\"../secret.html\">Secret</a></p>"
        "<p><a href=\"gone.html\">Gone</a></p>"
        "</body></html>");
    QByteArray keys = "<html><body><h1>Working on the canvas</h1>";
    for (int i = 0; i < 200; ++i)
        keys += "<p>Filler paragraph before the keys.</p>";
    keys += "<h2><a name=\"Quick Keys\">Quick keys</a></h2><p>Click a card.</p>";
    for (int i = 0; i < 200; ++i)
        keys += "<p>Filler paragraph after the keys.</p>";
    Root.Write("Help/keys.html", keys + "</body></html>");
    Root.Write("secret.html", "<html><body><p>SECRET outside the help</p></body></html>");
}
