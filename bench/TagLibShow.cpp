// The yardstick for reading speed: a small TagLib program that prints the same six values
// tageditor-cli show prints, one block per file. For the bench only; the program never links
// TagLib.
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>

#include <iostream>

int main(int argc, char** argv) {
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        TagLib::MPEG::File file(argv[i], false);
        const TagLib::Tag* tag = file.isValid() ? file.tag() : nullptr;
        if (!tag) {
            std::cerr << argv[i] << ": cannot be read\n";
            status = 1;
            continue;
        }
        std::cout << "File: " << argv[i] << '\n'
                  << "Title: " << tag->title().to8Bit(true) << '\n'
                  << "Artist: " << tag->artist().to8Bit(true) << '\n'
                  << "Album: " << tag->album().to8Bit(true) << '\n'
                  << "Year: " << tag->year() << '\n'
                  << "Genre: " << tag->genre().to8Bit(true) << '\n'
                  << "Comments: " << tag->comment().to8Bit(true) << "\n\n";
    }
    return status;
}
