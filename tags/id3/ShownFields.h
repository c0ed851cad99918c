#pragma once

#include "TagFields.h"

#include <cstddef>
#include <string>
#include <vector>

// What the form shows of a tag, read from its frames as an ID3v2.3 tag holds them (header and
// body, as Id3Inspector gives them), so that showing a file needs no tag object at all. The last
// frame of a kind wins. Year falls back on the year of the release time (TDRL) that ID3v2.4
// taggers such as eyeD3 write instead of a recording time. Comments shows the last comment
// without a description; failing that, the last one whose description does not start with
// "iTun" (iTunes' machine data: iTunNORM, iTunSMPB, iTunes_CDDB_1 ...); failing that, nothing.
// The genre is the first TCON frame's (see GenreNumberFromText).
namespace ShownFields {

constexpr std::size_t npos = static_cast<std::size_t>(-1);

TagFields Read(const std::vector<std::string>& frames);
unsigned GenreNumber(const std::vector<std::string>& frames); // 255 when none
// The index of the comment frame Comments shows; npos when it shows none.
std::size_t ShownComment(const std::vector<std::string>& frames);
// Of comments with these DESCRIPTIONS, in the tag's order, the one Comments shows; npos for
// none. For a tag object, whose comments are not bytes.
std::size_t ShownCommentAmong(const std::vector<std::string>& descriptions);
// The year of the tag's release time; empty when it has none.
std::string ReleaseYear(const std::vector<std::string>& frames);

// FRAME's four-letter id is ID.
bool Is(const std::string& frame, const char* id);
// The text of a text frame, several values joined with "/"; of a comment, its text.
std::string TextOf(const std::string& frame);
// The text of the first frame of kind ID; empty when there is none.
std::string FirstText(const std::vector<std::string>& frames, const char* id);
// A comment frame's description.
std::string CommentDescription(const std::string& frame);

} // namespace ShownFields
