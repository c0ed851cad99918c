#pragma once

#include <QStringList>

class IMp3Check;

// Which of the files given to the list it takes: the MP3s. What it leaves out is told in one
// notice, each file with the reason, since a drop or a choice of many files should not bring
// up a box for each.
namespace FileListAdmission {

struct Sorted {
    QStringList mp3s;    // in the order they came
    QString leftOutText; // the notice naming what was left out and why; empty for none
};

// A folder is left out for now, like any file that is not an MP3.
Sorted Sort(const QStringList& paths, const IMp3Check& check);

} // namespace FileListAdmission
