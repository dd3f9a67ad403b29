// The folder of a path, read from the text alone.

#include <gtest/gtest.h>

#include <string>

#include "platform/FileSystem.h"

namespace {

TEST(FileSystem, FolderOfAPath) {
    struct Case {
        std::string path;
        std::string folder;
    };
    const Case cases[] = {
        {"/home/ann/Acme.db", "/home/ann"},
        {"/Acme.db", "/"},
        {"/", "/"},
        {"///", "/"},
        {"/home/ann/Talvexa/", "/home/ann"},   // a trailing slash names the same folder
        {"/home//ann.db", "/home"},
        {"ann/Acme.db", "ann"},
        // No folder in the text: the item lives in the current folder.
        {"Acme.db", "."},
        {"", "."},
        {"./Acme.db", "."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE('"' + c.path + '"');
        EXPECT_EQ(platform::folderOf(c.path), c.folder);
    }
}

}  // namespace
