// frmProgress: the migration's modeless progress window as a model of its labels: an overall bar,
// a step bar and an information line. The percentage updates redraw a bar only when its value
// changes and then let the window system process pending messages once; any call loads the window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/Label.h"
#include "ui/ProgressRenderer.h"

namespace tmigration::ui {

class frmProgress {
  public:
    static constexpr const char* kCaption = "Database Migration";
    static constexpr double kScaleWidth = 4680;  // client area, twips
    static constexpr double kScaleHeight = 2040;
    static constexpr std::int16_t kNothingShown = -999;

    frmProgress();
    ~frmProgress();
    frmProgress(const frmProgress&) = delete;
    frmProgress& operator=(const frmProgress&) = delete;

    // Loading lays the labels out as designed, forgets the percentages shown (-999) and clears
    // the information line; it makes the window's renderer. Loading a loaded window does nothing.
    void Load();
    void Show();  // modeless
    void Hide();
    // Unloading releases the renderer; the next use loads the window afresh.
    void Unload();

    void UpdatePercentDone(std::int16_t percent);
    void UpdateInfoLabel(const std::string& text);
    void UpdateOverallPercentDone(std::int16_t percent);

    // Lets the renderer draw the window as it stands (called by the window system's DoEvents).
    void Paint();
    // Lets the renderer show the application's mouse pointer (called by the window system).
    void MousePointerChanged();

    bool IsLoaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    std::string Caption() const { return kCaption; }
    std::int16_t LastPercentShown() const { return lastPercent_; }
    std::int16_t LastOverallPercentShown() const { return lastOverallPercent_; }

    const Label& lblOverall() const { return lblOverall_; }
    const Label& lblOverallProgress() const { return lblOverallProgress_; }
    const Label& lblOverallPercent() const { return lblOverallPercent_; }
    const Label& lblInfo() const { return lblInfo_; }
    const Label& lblProgress() const { return lblProgress_; }
    const Label& lblPercent() const { return lblPercent_; }

  private:
    void LayOutAsDesigned();
    // Draws percent on a bar and the label lying over it, or hides both for a negative value.
    void SetBar(Label& bar, Label& percentLabel, std::int16_t& lastShown, std::int16_t percent);
    void BringToFront(Label& label);
    void Notify(void (ProgressRenderer::*event)(const frmProgress&));

    bool loaded_ = false;
    bool visible_ = false;
    std::int16_t lastPercent_ = kNothingShown;
    std::int16_t lastOverallPercent_ = kNothingShown;
    int topZOrder_ = 0;
    Label lblOverall_, lblOverallProgress_, lblOverallPercent_, lblInfo_, lblProgress_, lblPercent_;
    std::unique_ptr<ProgressRenderer> renderer_;
};

}  // namespace tmigration::ui
