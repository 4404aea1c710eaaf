// The tuner window's start-up: from nothing to the first frame drawn, on Qt's offscreen
// platform (the whole composition: services, layout, images, start-up of the main screen).
//   build/<preset>/bench/window_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <chrono>
#include <vector>

#include "app/desktop_window.h"

namespace {

// Notes the first paint of any widget.
class FirstPaint final : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return false;
    }
};

void WindowStartUpToFirstFrame(benchmark::State& state) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        FirstPaint watcher;
        qApp->installEventFilter(&watcher);
        strumwise::app::DesktopWindowConfig config;
        config.screen = state.range(0) == 0 ? strumwise::platform::desktop::screenProfile(0, 956)
                                            : strumwise::platform::desktop::screenProfile(1, 1366);
        config.input = strumwise::platform::openSamples(std::vector<std::int16_t>(4096, 0));
        strumwise::app::DesktopWindowApp app(std::move(config));
        app.launch();
        while (!watcher.painted) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        qApp->removeEventFilter(&watcher);
        app.shutDown();
    }
}
BENCHMARK(WindowStartUpToFirstFrame)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"pad"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
