// The filter dialog shown through the Qt presenter until its first paint and
// closed, against the same through the scripted presenter. Each run builds
// the dialog over the demo database as showing it does (texts, templates,
// field catalogue, column and sort lists), so the ratio tells what drawing
// adds to a real Show. Prints "qt/scripted show ratio: X (goal <= 2.0)".
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>

#include "dialog/frm_filter.h"
#include "editing/fmaker.h"
#include "qelt/host/session.h"
#include "qelt/qt/qt_dialogs.h"
#include "qelt/template_data.h"
#include "support/shared_settings.h"

namespace {

using qelt::dialog::frmFilter;

void Prepare(frmFilter& f) {
    f.SetListID(1);
    f.setDialogTexts();
    f.cboTransType.addItem(
        qelt::dialog::TransTypeItem::Text("外购入库单序时簿", 1, 1, "v1.FTranType=1"));
    f.cboTransType.setListIndex(0);
    f.createModels();
    f.mTemplateData->InitData("");
    qelt::support::Shared().TemplateID = 1;
    f.mFMaker->InitField();
    f.mFMaker->InitHideColumns();
    f.mFMaker->LoadOrderFields(f.listOrderFields);
}

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

void BM_ShowScripted(benchmark::State& state) {
    qelt::ui::ScriptedPresenter presenter([](qelt::ui::Form& form) { form.hide(); });
    for (auto _ : state) {
        frmFilter form;
        Prepare(form);
        presenter.runModal(form);
    }
}
BENCHMARK(BM_ShowScripted)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_ShowQt(benchmark::State& state) {
    qelt::qt::QtPresenter presenter;
    for (auto _ : state) {
        frmFilter form;
        Prepare(form);
        CloseOnPaint closer(form);
        presenter.setShownHook(
            [&](QWidget& dialog, qelt::ui::Form&) { dialog.installEventFilter(&closer); });
        presenter.runModal(form);
    }
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
    qelt::host::SetDatabase(std::string("sqlite3://db=") + QELT_TEST_DEMO_DB);
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
