#include "core/Step.h"

#include "core/SharedConnection.h"
#include "core/SharedProgressWindow.h"
#include "util/VbConversions.h"

namespace tmigration::core {

Step::~Step() {
    // RecordsetPtr's release cancels a pending edit and closes; errors there are swallowed.
    recordsets_.clear();
}

void Step::Start() {
    if (!labels_.info.empty()) ShowInfo(labels_.info);
}

db::Recordset& Step::OpenClient(const std::string& sql) {
    recordsets_.push_back(OpenClientRecordset(sql));
    return *recordsets_.back();
}

db::Recordset& Step::OpenServer(const std::string& sql) {
    recordsets_.push_back(OpenServerRecordset(sql));
    return *recordsets_.back();
}

void Step::Close(db::Recordset& rs) {
    for (auto it = recordsets_.begin(); it != recordsets_.end(); ++it) {
        if (it->get() != &rs) continue;
        RecordsetPtr owned = std::move(*it);
        recordsets_.erase(it);
        CloseRecordset(owned);
        return;
    }
}

void Step::BeginTrans() {
    gConnection().BeginTrans();
    inTransaction_ = true;
}

void Step::CommitTrans() {
    gConnection().CommitTrans();
    inTransaction_ = false;
}

void Step::ShowInfo(std::string_view text) {
    ui::frmProgress& window = frmProgress();
    window.UpdateInfoLabel(std::string(text));
    window.UpdatePercentDone(0);
}

void Step::ShowProgress(std::int64_t done, std::int64_t total) {
    frmProgress().UpdatePercentDone(util::PercentDone(done, total));
}

void Step::ShowPercent(std::int16_t percent) {
    frmProgress().UpdatePercentDone(percent);
}

void Step::Fail(const std::string& description, OnFailure window) {
    throw StepFailure(std::string(labels_.errorPrefix) + description, window);
}

void Step::FailWithText(const std::string& text, OnFailure window) {
    throw StepFailure(text, window);
}

void Step::Finish() {
    for (RecordsetPtr& rs : recordsets_) CloseRecordset(rs);
    recordsets_.clear();
}

bool Step::Failed(const std::exception& error, std::string& strError) noexcept {
    OnFailure window = OnFailure::HideWindow;
    try {
        if (const auto* failure = dynamic_cast<const StepFailure*>(&error)) {
            strError = failure->what();
            window = failure->Window();
        } else {
            strError = std::string(labels_.errorPrefix) + error.what();
        }
    } catch (...) {
        // Out of memory while copying the text: the flag still says what happened.
    }
    // The first error is the one the caller hears about; what fails while cleaning up is not.
    try {
        if (window == OnFailure::HideWindow) frmProgress().Hide();
    } catch (...) {
    }
    if (inTransaction_) {
        inTransaction_ = false;
        try {
            gConnection().RollbackTrans();
        } catch (...) {
        }
    }
    recordsets_.clear();
    return false;
}

}  // namespace tmigration::core
