#pragma once

#include "TempFolder.h"

#include <gtest/gtest.h>

/// A Help folder of three small pages in a temporary folder, beside a page that lies outside
/// it: the index links to a page, to the web, out of the folder, and to a page that is missing;
/// "keys.html" holds the "Quick Keys" anchor far down the page.
class HelpFolderFixture : public testing::Test {
protected:
    HelpFolderFixture();

    /// The Help folder, with a trailing "/".
    QString Help() const { return Root.Path("Help/"); }

    TempFolder Root;
};
