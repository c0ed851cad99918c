#include "Mp3Folder.h"
#include "FolderWalk.h"
#include "Mp3Builder.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// An album folder with a disc subfolder, a cover and notes beside the songs, a hidden file and
// a link back up to the album.
struct AlbumFolder {
    ScratchDir scratch;

    AlbumFolder() {
        for (const char* name :
             {"Album/02 Two.mp3", "Album/01 One.MP3", "Album/cover.jpg", "Album/CD 2/01 Three.mp3",
              "Album/CD-2/01 Four.mp3", "Album/.hidden.mp3", "Album/notes.txt", "Album/zz.mp3"})
            Write(name);
        fs::create_directory_symlink(scratch.File("Album"), scratch.File("Album/CD 2/back"));
        // What a file holds decides, not its name.
        Mp3Builder().WriteTo(scratch.File("Album/untitled"));
        std::ofstream(scratch.File("Album/fake.mp3")) << "no audio here";
    }
    // An MP3 for a name ending in .mp3 in any case, a few bytes of text for any other.
    void Write(const std::string& name) const {
        fs::create_directories(fs::path(scratch.File(name)).parent_path());
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".mp3") == 0)
            Mp3Builder().TextFrame("TIT2", name).WriteTo(scratch.File(name));
        else
            std::ofstream(scratch.File(name)) << "x";
    }
    std::vector<std::string> Names(const std::vector<std::string>& paths) const {
        std::vector<std::string> names;
        for (const std::string& path : paths)
            names.push_back(path.substr(scratch.File("Album/").size()));
        return names;
    }
};

TEST(Mp3Folder, BringsTheMp3sBelowAFolderInPathOrderAndPassesOverTheRest) {
    AlbumFolder album;
    const std::vector<std::string> found = Mp3Folder::Mp3sBelow(album.scratch.File("Album"));
    // "CD 2" before "CD-2" (space before hyphen) and both before "zz.mp3": each folder's entries
    // in name order, a subfolder's files where its name falls; the link back up is not followed.
    EXPECT_EQ(album.Names(found),
              (std::vector<std::string>{"01 One.MP3", "02 Two.mp3", "CD 2/01 Three.mp3",
                                        "CD-2/01 Four.mp3", "untitled", "zz.mp3"}));
}

TEST(Mp3Folder, StopsOnceItHasAsManyAsAskedFor) {
    AlbumFolder album;
    EXPECT_EQ(album.Names(Mp3Folder::Mp3sBelow(album.scratch.File("Album"), 3)),
              (std::vector<std::string>{"01 One.MP3", "02 Two.mp3", "CD 2/01 Three.mp3"}));
    EXPECT_TRUE(Mp3Folder::Mp3sBelow(album.scratch.File("Album"), 0).empty());
}

TEST(FolderWalk, AMissingOrUnreadableFolderBringsNothingAndIsNoFolder) {
    AlbumFolder album;
    EXPECT_TRUE(FolderWalk::FilesBelow(album.scratch.File("nowhere"), Mp3Folder::IsMp3).empty());
    EXPECT_TRUE(
        FolderWalk::FilesBelow(album.scratch.File("Album/zz.mp3"), Mp3Folder::IsMp3).empty());
    EXPECT_TRUE(FolderWalk::IsFolder(album.scratch.File("Album/CD 2/back")));
    EXPECT_FALSE(FolderWalk::IsFolder(album.scratch.File("Album/zz.mp3")));
    EXPECT_FALSE(FolderWalk::IsFolder(album.scratch.File("nowhere")));
}

} // namespace
