// CFilter::Show of a demo list through the Qt presenter until the dialog's
// first paint, then closed, against Show through the scripted presenter
// closing it at once: the ratio tells what drawing adds to a real Show.
// Prints "qt/scripted show ratio: X (goal <= 2.0)".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>

#include "dialog/frm_filter.h"
#include "qelt/cfilter.h"
#include "qelt/host/session.h"
#include "qelt/qt/qt_dialogs.h"
#include "support/shared_settings.h"

namespace {

using qelt::dialog::frmFilter;

// Closes the form once its dialog has been painted.
class CloseOnPaint : public QObject {
public:
    explicit CloseOnPaint(qelt::ui::Form& form) : form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, watched, [this] { form_.hide(); });
        }
        return false;
    }

private:
    qelt::ui::Form& form_;
    bool done_ = false;
};

void ShowList1() {
    qelt::CFilter filter;
    filter.setListID(1);
    filter.Show();
    benchmark::DoNotOptimize(filter.OK());
}

void BM_ShowScripted(benchmark::State& state) {
    qelt::ui::SetPresenter(
        std::make_shared<qelt::ui::ScriptedPresenter>([](qelt::ui::Form& form) { form.hide(); }));
    for (auto _ : state) ShowList1();
    qelt::ui::SetPresenter(nullptr);
}
BENCHMARK(BM_ShowScripted)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_ShowQt(benchmark::State& state) {
    auto presenter = std::make_shared<qelt::qt::QtPresenter>();
    std::unique_ptr<CloseOnPaint> closer;
    presenter->setShownHook([&](QWidget& dialog, qelt::ui::Form& form) {
        closer = std::make_unique<CloseOnPaint>(form);
        dialog.installEventFilter(closer.get());
    });
    qelt::ui::SetPresenter(presenter);
    for (auto _ : state) ShowList1();
    qelt::ui::SetPresenter(nullptr);
}
BENCHMARK(BM_ShowQt)->Unit(benchmark::kMillisecond)->Repetitions(5);

class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setFont(qelt::qt::DialogFont());
    qelt::support::ResetProcessState();
    // A Show may store the user's default scheme: the tests' copy of the
    // demo database stays as it was built.
    QTemporaryDir folder;
    const QString db = folder.filePath("demo.db");
    if (!QFile::copy(QStringLiteral(QELT_TEST_DEMO_DB), db)) return 1;
    qelt::host::SetDatabase("sqlite3://db=" + db.toStdString());
    qelt::host::SetSharedProperty("PropsString", "UserID=1;UserName=Administrator");
    // Messages (none expected) must not wait for a person.
    qelt::host::SetMessageSink([](const qelt::host::Message&) { return 2; });
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double qt = reporter.medians["BM_ShowQt"];
    const double scripted = reporter.medians["BM_ShowScripted"];
    if (qt > 0 && scripted > 0)
        std::cout << "qt/scripted show ratio: " << qt / scripted << " (goal <= 2.0)\n";
    benchmark::Shutdown();
    return 0;
}
