#include "CCliArguments.h"
#include "GenreTable.h"

#include <gtest/gtest.h>

namespace {

using Command = CCliArguments::Command;

CCliArguments Parse(std::vector<std::string> args) {
    return CCliArguments::Parse(args);
}

TEST(CliArguments, HelpIsAnOptionWhereAnOptionMayStand) {
    EXPECT_EQ(Parse({"--help"}).GetCommand(), Command::Help);
    EXPECT_EQ(Parse({"set", "--title", "x", "--help"}).GetCommand(), Command::Help);
    EXPECT_EQ(Parse({"show", "a.mp3", "--help"}).GetCommand(), Command::Help);
    EXPECT_TRUE(Parse({"show", "--help"}).Error().empty());
    EXPECT_EQ(Parse({"bogus", "--help"}).Error(), "unknown command \"bogus\"");
}

TEST(CliArguments, HelpIsPlainTextAsAValueOrAfterTheEndOfOptions) {
    const CCliArguments title = Parse({"set", "--title", "--help", "f.mp3"});
    ASSERT_EQ(title.Error(), "");
    EXPECT_EQ(title.GetCommand(), Command::Set);
    EXPECT_EQ(title.Edit(TagFields()).title, "--help");
    EXPECT_EQ(title.Files(), std::vector<std::string>{"f.mp3"});
    EXPECT_EQ(Parse({"set", "--comment=--help", "f.mp3"}).Edit(TagFields()).comment, "--help");

    const CCliArguments file = Parse({"show", "--", "--help"});
    ASSERT_EQ(file.Error(), "");
    EXPECT_EQ(file.GetCommand(), Command::Show);
    EXPECT_EQ(file.Files(), std::vector<std::string>{"--help"});
}

TEST(CliArguments, ShowTakesFilesOnly) {
    const CCliArguments show = Parse({"show", "a.mp3", "b c.mp3"});
    EXPECT_EQ(show.Error(), "");
    EXPECT_EQ(show.GetCommand(), Command::Show);
    EXPECT_EQ(show.Files(), (std::vector<std::string>{"a.mp3", "b c.mp3"}));
    EXPECT_EQ(Parse({"show", "--title", "x", "a.mp3"}).Error(), "show takes no options but -r");
    EXPECT_EQ(Parse({"show", "--", "--odd name.mp3"}).Files(),
              std::vector<std::string>{"--odd name.mp3"});
}

TEST(CliArguments, SetPutsTheGivenFieldsIntoTheForm) {
    const CCliArguments set = Parse({"set", "--title", "T", "--year=1999", "--comment", "", "f.mp3",
                                     "--artist", "Caf\xC3\xA9"});
    ASSERT_EQ(set.Error(), "");
    EXPECT_EQ(set.GetCommand(), Command::Set);
    EXPECT_EQ(set.Files(), std::vector<std::string>{"f.mp3"});
    const TagFields loaded{"old title", "old artist", "old album", "2000", "old comment"};
    EXPECT_EQ(set.Edit(loaded), (TagFields{"T", "Caf\xC3\xA9", "old album", "1999", ""}));
    EXPECT_FALSE(set.GenreRow().has_value());
}

TEST(CliArguments, GenreIsARowByNumberOrName) {
    EXPECT_EQ(Parse({"set", "--genre", "0", "f"}).GenreRow(), 0);
    EXPECT_EQ(Parse({"set", "--genre", "79", "f"}).GenreRow(), 79);
    EXPECT_EQ(Parse({"set", "--genre", "80", "f"}).GenreRow(), GenreTable::kNoneRow);
    EXPECT_EQ(Parse({"set", "--genre", "255", "f"}).GenreRow(), GenreTable::kNoneRow);
    EXPECT_EQ(Parse({"set", "--genre", "triphop", "f"}).GenreRow(), 27);
    EXPECT_EQ(Parse({"set", "--genre=None", "f"}).GenreRow(), GenreTable::kNoneRow);
    for (const char* bad : {"81", "254", "256", "1000", "-1", "Trip Hop", ""})
        EXPECT_NE(Parse({"set", "--genre", bad, "f"}).Error(), "") << bad;
}

TEST(CliArguments, TakesAnyScriptButOnlyValidUtf8) {
    const CCliArguments russian = Parse({"set", "--artist", "\xD0\x94\xD0\xBC\xD0\xB8", "f"});
    EXPECT_EQ(russian.Error(), "");
    EXPECT_EQ(russian.Edit({}).artist, "\xD0\x94\xD0\xBC\xD0\xB8");
    for (const char* broken : {"\xC3", "\xFF", "a\xE2\x82", "\xED\xA0\x80", "\xC0\xAF"})
        EXPECT_EQ(Parse({"set", "--title", broken, "f"}).Error(),
                  "--title: the text is not valid UTF-8")
            << broken;
}

TEST(CliArguments, TrackDiscAndAlbumArtistAreOptionsOfSet) {
    const CCliArguments set =
        Parse({"set", "--track", "3/12", "--disc=1/2", "--album-artist", "Various", "f.mp3"});
    ASSERT_EQ(set.Error(), "");
    TagFields expected;
    expected.track = "3/12";
    expected.disc = "1/2";
    expected.albumArtist = "Various";
    EXPECT_EQ(set.Edit(TagFields()), expected);
}

TEST(CliArguments, ReportsUsageMistakes) {
    EXPECT_EQ(Parse({}).Error(), "no command given");
    EXPECT_EQ(Parse({"list", "f"}).Error(), "unknown command \"list\"");
    EXPECT_EQ(Parse({"show"}).Error(), "no file given");
    EXPECT_EQ(Parse({"set", "--title", "x"}).Error(), "no file given");
    EXPECT_EQ(Parse({"set", "f", "--title"}).Error(), "--title needs a value");
    EXPECT_EQ(Parse({"set", "--band", "x", "f"}).Error(), "unknown option \"--band\"");
}

} // namespace
