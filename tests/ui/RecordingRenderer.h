// A renderer for tests: counts the messages processed and keeps copies of the window's labels.
#pragma once

#include <memory>
#include <stdexcept>
#include <vector>

#include "ui/WindowSystem.h"
#include "ui/frmProgress.h"

namespace tmigration::ui::testing {

struct RenderLog {
    int processed = 0;
    int shown = 0;
    int hidden = 0;
    int pointerChanges = 0;
    int alive = 0;  // renderers not yet destroyed
    std::vector<std::string> infoSeen;
    std::vector<std::string> overallSeen;
    bool failDrawing = false;
};

class RecordingRenderer : public ProgressRenderer {
  public:
    explicit RecordingRenderer(RenderLog& log) : log_(log) { ++log_.alive; }
    ~RecordingRenderer() override { --log_.alive; }
    void Shown(const frmProgress&) override { ++log_.shown; }
    void Hidden(const frmProgress&) override { ++log_.hidden; }
    void MousePointerChanged(const frmProgress&) override { ++log_.pointerChanges; }
    void ProcessMessages(const frmProgress& w) override {
        ++log_.processed;
        log_.infoSeen.push_back(w.lblInfo().Caption);
        log_.overallSeen.push_back(w.lblOverallPercent().Caption);
        if (log_.failDrawing) throw std::runtime_error("screen gone");
    }

  private:
    RenderLog& log_;
};

// Installs a recording renderer factory for the life of the object.
class ScopedRecordingRenderer {
  public:
    ScopedRecordingRenderer() {
        SetProgressRendererFactory([this] { return std::make_unique<RecordingRenderer>(log); });
    }
    ~ScopedRecordingRenderer() { SetProgressRendererFactory(nullptr); }
    RenderLog log;
};

}  // namespace tmigration::ui::testing
