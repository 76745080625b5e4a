// The two event conversions share the replay; they differ in the buffer columns they know, in
// the progress they show and in whether they own a transaction.
#include <vector>

#include "core/RecordsetHelpers.h"
#include "core/SharedConnection.h"
#include "core/Step.h"
#include "mdc/CMDCMigration5To6Class.h"
#include "mdc/CSHBufferClass.h"
#include "mdc/EventReplay.h"
#include "util/VbConversions.h"

namespace tmigration::mdc {
namespace {

db::Dialect DialectOf(std::int16_t databaseType) {
    return static_cast<db::Dialect>(databaseType);
}

std::vector<std::int32_t> MachineIds(core::Step& step) {
    db::Recordset& machines = step.OpenClient("select * from T_TRNK_MACHINES ");
    std::vector<std::int32_t> ids;
    for (; !machines.Eof(); machines.MoveNext()) ids.push_back(util::CLng(machines.Get("MACHINE_ID")));
    return ids;
}

}  // namespace

bool CMDCMigration5To6Class::MigrateEvents(std::string& strError, std::int16_t databaseType) {
    // Runs under the MDC upgrade's own message and progress. Inside the transaction of the upgrade's
    // major step the conversion is part of that step: its work commits, or is undone, with the
    // step's new version.
    return core::RunStep({"", ""}, strError, [&](core::Step& step) {
        const bool ownTransaction = !core::gConnection().Session().InTransaction();
        if (ownTransaction) step.BeginTrans();
        EventReplay replay(ReplayForm::Version6, DialectOf(databaseType));
        for (std::int32_t machineId : MachineIds(step)) replay.ReplayMachineEvents(machineId);
        if (ownTransaction) step.CommitTrans();
    });
}

bool CSHBufferClass::MigrateEvents(std::string& strError, std::int16_t databaseType) {
    return core::RunStep({"Creating Old Machine Data Buffers...", ""}, strError, [&](core::Step& step) {
        EventReplay replay(ReplayForm::Current, DialectOf(databaseType));
        const std::vector<std::int32_t> machines = MachineIds(step);
        for (std::size_t done = 0; done < machines.size(); ++done) {
            replay.ReplayMachineEvents(machines[done]);
            step.ShowProgress(static_cast<std::int64_t>(done + 1),
                              static_cast<std::int64_t>(machines.size()));
        }
    });
}

std::int32_t CSHBufferClass::CreateInitialBuffer(std::int32_t machineId, const db::DateTime& t,
                                                 std::int32_t command, const std::string& parameter,
                                                 std::int32_t eventId, std::int16_t databaseType) {
    EventReplay replay(ReplayForm::Current, DialectOf(databaseType));
    return replay.CreateInitialBuffer(machineId, t, command, parameter, eventId);
}

}  // namespace tmigration::mdc
