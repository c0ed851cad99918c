#include "CFlatHeaderCtrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

// A shown window with a four-column header spanning its full width, sorted on one column.
struct HeaderWindow {
    HeaderWindow() : model(0, 4) {
        model.setHorizontalHeaderLabels({"Title", "Artist", "Album", "Files to edit"});
        header = new CFlatHeaderCtrl(&window);
        header->setModel(&model);
        header->setStretchLastSection(false);
        for (int column = 0; column < 4; ++column)
            header->resizeSection(column, 120);
        header->setGeometry(0, 0, 480, header->sizeHint().height());
        header->SetSortIndicator(1, true);
        window.resize(480, header->height());
        window.show();
        QApplication::processEvents();
    }

    void Send(QEvent::Type type, int x, Qt::MouseButtons buttons) {
        const QPointF local(x, header->height() / 2);
        QMouseEvent event(type, local, header->viewport()->mapToGlobal(local), Qt::LeftButton,
                          buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(header->viewport(), &event);
    }

    QWidget window;
    QStandardItemModel model;
    CFlatHeaderCtrl* header = nullptr;
};

void BM_PaintFourColumnHeader(benchmark::State& state) {
    HeaderWindow window;
    for (auto _ : state)
        window.header->viewport()->repaint();
}
BENCHMARK(BM_PaintFourColumnHeader)->Unit(benchmark::kMicrosecond);

// One cursor move of a column drag: the floating copy follows, the drop slot is worked out
// and, as the cursor crosses between two columns on every move, the marker moves.
void BM_ColumnDragMove(benchmark::State& state) {
    HeaderWindow window;
    window.Send(QEvent::MouseButtonPress, 60, Qt::LeftButton);
    window.Send(QEvent::MouseMove, 90, Qt::LeftButton); // past the threshold: the drag begins
    bool left = false;
    for (auto _ : state) {
        window.Send(QEvent::MouseMove, left ? 250 : 350, Qt::LeftButton);
        left = !left;
    }
    window.Send(QEvent::MouseButtonRelease, 60, Qt::NoButton);
}
BENCHMARK(BM_ColumnDragMove)->Unit(benchmark::kMicrosecond);

} // namespace
