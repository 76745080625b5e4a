// Step: the boundary every migration step shares. RunStep names the step on the progress window's
// information line and sets its step bar to 0 (a step without a text of its own, such as one that
// only groups others in a transaction, leaves the window alone), then runs the work. An error raised inside
// the work, or a failure it declares through the Step, ends it: strError receives the step's error prefix and
// the description, the window is hidden, the transaction the step opened is rolled back, the row sets it
// opened are closed, and RunStep returns false. Row sets are closed on success too.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/RecordsetHelpers.h"

namespace tmigration::core {

struct StepLabels {
    std::string_view info;         // the information line while the step runs; empty: left as it is
    std::string_view errorPrefix;  // put before the description on failure; may be empty
};

// Whether a declared failure hides the progress window.
enum class OnFailure { HideWindow, KeepWindow };

class Step {
  public:
    explicit Step(const StepLabels& labels) : labels_(labels) {}
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;
    ~Step();

    // Row sets owned by the step; closed when it ends, whatever the outcome.
    db::Recordset& OpenClient(const std::string& sql);
    db::Recordset& OpenServer(const std::string& sql);
    // Closes one of the step's row sets before the step ends (cancelling a pending edit).
    void Close(db::Recordset& rs);

    // A transaction the step owns; rolled back when the step fails while it is open.
    void BeginTrans();
    void CommitTrans();

    // A later pass of the step names itself anew; the step bar starts again at 0.
    void ShowInfo(std::string_view text);
    // Step bar: the 16-bit integer of done / total * 100.
    void ShowProgress(std::int64_t done, std::int64_t total);
    void ShowPercent(std::int16_t percent);

    // Ends the step with the prefix and `description` in strError.
    [[noreturn]] void Fail(const std::string& description, OnFailure window = OnFailure::HideWindow);
    // Ends the step with `text` in strError as it stands, without the prefix.
    [[noreturn]] void FailWithText(const std::string& text, OnFailure window = OnFailure::HideWindow);

    // What RunStep calls around the work; not for the work itself.
    void Start();
    void Finish();
    bool Failed(const std::exception& error, std::string& strError) noexcept;

  private:
    StepLabels labels_;
    bool inTransaction_ = false;
    std::vector<RecordsetPtr> recordsets_;
};

// Thrown by Step::Fail and Step::FailWithText; carries the final text and the window rule.
class StepFailure : public std::exception {
  public:
    StepFailure(std::string text, OnFailure window) : text_(std::move(text)), window_(window) {}
    const char* what() const noexcept override { return text_.c_str(); }
    OnFailure Window() const { return window_; }

  private:
    std::string text_;
    OnFailure window_;
};

// Runs `work(step)` inside the boundary; true when it returned without error.
template <class Work>
bool RunStep(const StepLabels& labels, std::string& strError, Work&& work) {
    Step step(labels);
    try {
        step.Start();
        work(step);
        step.Finish();
        return true;
    } catch (const std::exception& error) {
        return step.Failed(error, strError);
    }
}

}  // namespace tmigration::core
