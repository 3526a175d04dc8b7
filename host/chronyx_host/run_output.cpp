#include "host/chronyx_host/run_output.h"

#include "host/chronyx_host/png_output.h"
#include "host/chronyx_host/run_log.h"
#include "host/hostrun/hostrun_host.h"

namespace {

std::string SnapshotPath(const HostRun& run, const std::string& name) {
    bool absolute = (!name.empty() && (name[0] == '/' || name[0] == '\\')) ||
                    (name.size() > 1 && name[1] == ':');
    if (absolute || run.options.outDir.empty()) return name;
    return run.options.outDir + "/" + name;
}

} // namespace

bool TakeSnapshot(HostRun* run, const Step& step) {
    int32_t width = 0, height = 0;
    const uint32_t* pixels = HrSurfacePixels(run->surface, &width, &height);
    std::string path = SnapshotPath(*run, step.file);
    std::string error;
    if (!WriteFileAtomically(path, EncodePng(pixels, width, height), &error)) {
        run->failure = error;
        return false;
    }
    LogText(run, -1, "snapshot", "", step.file);
    return true;
}

bool BeginRecording(HostRun* run, const Step& step) {
    auto recorder = std::make_unique<FrameRecorder>(step, run->scenario->fps);
    std::string error;
    if (!recorder->Begin(SnapshotPath(*run, FrameFileName(step.file)), run->scenario->width,
                         run->scenario->height, &error)) {
        run->failure = error;
        return false;
    }
    run->recordings.push_back(std::move(recorder));
    return true;
}

bool RecordFrame(HostRun* run) {
    int32_t width = 0, height = 0;
    const uint32_t* pixels = HrSurfacePixels(run->surface, &width, &height);
    std::string error;
    for (size_t i = 0; i < run->recordings.size();) {
        FrameRecorder& recorder = *run->recordings[i];
        if (!recorder.Offer(run->frame, pixels, &error) ||
            (recorder.Done(run->frame) && !recorder.Finish(&error))) {
            run->failure = error;
            return false;
        }
        if (!recorder.Done(run->frame)) {
            ++i;
            continue;
        }
        LogNumber(run, -1, "record", recorder.Record().file, recorder.FramesTaken());
        run->recordings.erase(run->recordings.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return true;
}
