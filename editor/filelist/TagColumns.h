#pragma once

#include <QStringList>

// The tag columns of the file list, after "Files to edit": what each is called, how wide it
// starts, how it sorts, and what it shows of a file.
namespace TagColumns {

constexpr int kCount = 6;

// Title, Artist, Album, Track, Year, Genre: the source texts of their headings (FileListTexts).
const char* Heading(int index);
int Width(int index);
// Track and Year sort as numbers ("9" before "10"), the others by their texts.
bool SortsAsNumber(int index);

// The texts the columns show for the file at PATH, in column order: empty for a file that cannot
// be read. Reads the file; safe on any thread.
QStringList Read(const QString& path);

} // namespace TagColumns
