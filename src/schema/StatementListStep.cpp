#include "schema/StatementListStep.h"

#include "driver/SharedConnection.h"
#include "driver/SharedProgressWindow.h"
#include "schema/SqlStringError.h"
#include "util/VbConversions.h"

namespace tmigration::schema {

void StatementListStep::Start(const std::string& infoText) {
    driver::frmProgress().UpdateInfoLabel(infoText);
    driver::frmProgress().UpdatePercentDone(0);
}

void StatementListStep::BeginTrans() {
    driver::gConnection().BeginTrans();
    inTransaction_ = true;
}

void StatementListStep::CommitTrans() {
    driver::gConnection().CommitTrans();
    inTransaction_ = false;
}

void StatementListStep::ShowProgress(int done, int total) {
    driver::frmProgress().UpdatePercentDone(util::PercentDone(done, total));
}

bool StatementListStep::FailOnStatement(int number, const std::string& message, std::string& strError) {
    driver::frmProgress().Hide();
    strError = SqlStringError(number, message);
    // Should the rollback itself fail, the caller's catch reports that instead.
    driver::gConnection().RollbackTrans();
    inTransaction_ = false;
    return false;
}

bool StatementListStep::Fail(const std::exception& error, std::string& strError) {
    strError = error.what();
    try {
        driver::frmProgress().Hide();
        if (inTransaction_) {
            inTransaction_ = false;
            driver::gConnection().RollbackTrans();
        }
    } catch (const std::exception&) {
        // The first error is the one the caller hears about.
    }
    return false;
}

}  // namespace tmigration::schema
