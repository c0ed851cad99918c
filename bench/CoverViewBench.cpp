// Times the cover's square taking a 2 MB JPEG: the picture decoded straight to the square's size
// (what the window does) beside the same picture decoded whole and then scaled down, which is
// what showing a file with a large cover would cost without the reader's scaling.
#include "CCoverView.h"
#include "CoverPicture.h"

#include <QBuffer>
#include <QImage>

#include <benchmark/benchmark.h>

#include <random>

namespace {

// A 2000x2000 photograph-like JPEG of about 2 MB: noise over a gradient compresses poorly.
const CoverPicture& LargeCover() {
    static const CoverPicture cover = [] {
        QImage image(2000, 2000, QImage::Format_RGB32);
        std::mt19937 noise(7);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qRgb((x / 8 + noise() % 64) & 0xFF, (y / 8 + noise() % 64) & 0xFF,
                               static_cast<int>(noise() % 256));
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG", 80);
        CoverPicture picture;
        picture.mimeType = "image/jpeg";
        picture.storage = std::make_shared<const std::string>(bytes.toStdString());
        return picture;
    }();
    return cover;
}

void CoverViewScaledDecode(benchmark::State& state) {
    CCoverView view(nullptr);
    view.resize(170, 170);
    state.counters["cover_bytes"] = static_cast<double>(LargeCover().Size());
    for (auto _ : state)
        view.SetCover(LargeCover());
}

void WholeDecodeThenScale(benchmark::State& state) {
    const std::string_view bytes = LargeCover().Bytes();
    for (auto _ : state) {
        QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                                        static_cast<int>(bytes.size()));
        benchmark::DoNotOptimize(image.scaled(170, 170, Qt::KeepAspectRatio));
    }
}

BENCHMARK(CoverViewScaledDecode)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(WholeDecodeThenScale)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace
