#include "ui/frmProgress.h"

#include "ui/WindowSystem.h"

namespace tmigration::ui {
namespace {

constexpr double kLabelLeft = 345;
constexpr double kLabelWidth = 4005;
constexpr double kLabelHeight = 315;
constexpr double kBarDesignWidth = 1365;

Label Designed(std::string caption, double top, double width = kLabelWidth) {
    return Label{std::move(caption), kLabelLeft, top, width, kLabelHeight, true, 0};
}

}  // namespace

frmProgress::frmProgress() {
    LayOutAsDesigned();
}

frmProgress::~frmProgress() {
    UnregisterLoadedWindow(this);
}

void frmProgress::LayOutAsDesigned() {
    lblOverall_ = Designed("Overall Progress", 210);
    lblOverallProgress_ = Designed("", 525, kBarDesignWidth);
    lblOverallPercent_ = Designed("0%", 525);
    lblInfo_ = Designed("current progress", 1125);
    lblProgress_ = Designed("", 1440, kBarDesignWidth);
    lblPercent_ = Designed("0%", 1440);
    // Each percentage label lies over its bar, later controls on top.
    topZOrder_ = 0;
    for (Label* label :
         {&lblOverall_, &lblOverallProgress_, &lblOverallPercent_, &lblInfo_, &lblProgress_, &lblPercent_})
        label->ZOrder = ++topZOrder_;
}

void frmProgress::Load() {
    if (loaded_) return;
    LayOutAsDesigned();
    lastPercent_ = kNothingShown;
    lastOverallPercent_ = kNothingShown;
    lblInfo_.Caption.clear();
    visible_ = false;
    loaded_ = true;
    // A renderer that cannot be made is a drawing problem like any other: the window then draws
    // nothing, and the migration goes on.
    try {
        renderer_ = MakeProgressRenderer();
    } catch (...) {
        renderer_.reset();
    }
    RegisterLoadedWindow(this);
}

void frmProgress::Show() {
    Load();
    visible_ = true;
    Notify(&ProgressRenderer::Shown);
}

void frmProgress::Hide() {
    Load();
    visible_ = false;
    Notify(&ProgressRenderer::Hidden);
}

void frmProgress::Unload() {
    if (!loaded_) return;
    if (visible_) Hide();
    UnregisterLoadedWindow(this);
    renderer_.reset();
    loaded_ = false;
    LayOutAsDesigned();
}

void frmProgress::UpdatePercentDone(std::int16_t percent) {
    SetBar(lblProgress_, lblPercent_, lastPercent_, percent);
}

void frmProgress::UpdateOverallPercentDone(std::int16_t percent) {
    SetBar(lblOverallProgress_, lblOverallPercent_, lastOverallPercent_, percent);
}

void frmProgress::UpdateInfoLabel(const std::string& text) {
    Load();
    lblInfo_.Caption = text;
}

void frmProgress::SetBar(Label& bar, Label& percentLabel, std::int16_t& lastShown, std::int16_t percent) {
    Load();
    if (percent == lastShown) return;
    lastShown = percent;
    if (percent >= 0) {
        bar.Left = percentLabel.Left;
        percentLabel.Caption = std::to_string(percent) + "%";
        bar.Width = percentLabel.Width * percent / 100.0;
        bar.Visible = true;
        percentLabel.Visible = true;
        BringToFront(percentLabel);
    } else {
        percentLabel.Visible = false;
        bar.Visible = false;
    }
    DoEvents();
}

void frmProgress::BringToFront(Label& label) {
    if (label.ZOrder != topZOrder_) label.ZOrder = ++topZOrder_;
}

void frmProgress::Paint() {
    Notify(&ProgressRenderer::ProcessMessages);
}

void frmProgress::MousePointerChanged() {
    Notify(&ProgressRenderer::MousePointerChanged);
}

void frmProgress::Notify(void (ProgressRenderer::*event)(const frmProgress&)) {
    if (!renderer_) return;
    // Drawing problems never reach the step that reported progress.
    try {
        (renderer_.get()->*event)(*this);
    } catch (...) {
    }
}

}  // namespace tmigration::ui
