#include "CFileListCtrl.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 500;

// A shown list of the editor's size, with its one column.
struct ListWindow {
    ListWindow() {
        list.InsertColumn(0, "Files to edit", 293);
        list.resize(300, 300);
        list.show();
        QApplication::processEvents();
    }

    QPoint RowCentre(int row) const {
        return list.visualRect(list.model()->index(row, 0)).center();
    }

    void Send(QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, list.viewport()->mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &event);
    }

    void FillWithRandomPaths() {
        list.DeleteAllItems();
        QRandomGenerator random(kRows);
        for (int row = 0; row < kRows; ++row)
            list.InsertItem(row, QStringLiteral("/home/user/Music/Artist %1/Album/%2 - Track.mp3")
                                     .arg(random.bounded(100))
                                     .arg(random.bounded(100000)));
    }

    CFileListCtrl list;
};

// Adding 500 existing files with the desktop's icons, as Add File or a drop does.
void BM_Add500FilesWithIcons(benchmark::State& state) {
    QTemporaryDir folder;
    QStringList paths;
    for (int i = 0; i < kRows; ++i) {
        paths << folder.filePath(QStringLiteral("%1 - Song title.mp3").arg(i, 3, 10, QChar('0')));
        QFile file(paths.last());
        file.open(QIODevice::WriteOnly);
    }
    ListWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        window.list.NewFileList();
        state.ResumeTiming();
        window.list.AddChosenFiles(paths);
    }
}
BENCHMARK(BM_Add500FilesWithIcons)->Unit(benchmark::kMillisecond);

// A header click on 500 rows in random order, ascending (first click) or descending (second).
void BM_Sort500RandomPaths(benchmark::State& state) {
    const bool ascending = state.range(0) != 0;
    ListWindow window;
    window.FillWithRandomPaths();
    window.list.SetItemSelectedFocused(kRows / 2);
    if (!ascending)
        window.list.SortByHeaderClick(0);
    for (auto _ : state) {
        state.PauseTiming();
        window.FillWithRandomPaths();
        state.ResumeTiming();
        window.list.SortByHeaderClick(0);
        state.PauseTiming();
        if (ascending)
            window.list.SortByHeaderClick(0); // back to "next click ascends"
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Sort500RandomPaths)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Dragging the top row of 500 onto the last one: the release, which moves the row.
void BM_MoveTopRowToBottom(benchmark::State& state) {
    ListWindow window;
    window.FillWithRandomPaths();
    for (auto _ : state) {
        state.PauseTiming();
        window.list.scrollToTop();
        window.list.SetItemSelectedFocused(0);
        const QPoint top = window.RowCentre(0);
        window.Send(QEvent::MouseButtonPress, top, Qt::LeftButton);
        window.Send(QEvent::MouseMove, top + QPoint(30, 0), Qt::LeftButton);
        window.list.scrollToBottom();
        const QPoint bottom = window.RowCentre(kRows - 1);
        window.Send(QEvent::MouseMove, bottom, Qt::LeftButton);
        state.ResumeTiming();
        window.Send(QEvent::MouseButtonRelease, bottom, Qt::NoButton);
    }
}
BENCHMARK(BM_MoveTopRowToBottom)->Unit(benchmark::kMillisecond);

} // namespace
