#include "mdc/EventStream.h"

#include <optional>

#include "core/RecordsetHelpers.h"
#include "db/Recordset.h"
#include "util/DateMath.h"

namespace tmigration::mdc {
namespace {

// A small linear congruential generator: the same plan always gives the same stream.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    int Between(int low, int high) {
        state_ = state_ * 1664525u + 1013904223u;
        return low + static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(high - low + 1));
    }

  private:
    std::uint32_t state_;
};

template <class T>
const T& Pick(const std::vector<T>& list, std::size_t n) {
    return list[n % list.size()];
}

class Writer {
  public:
    explicit Writer(const EventStreamPlan& plan)
        : plan_(plan), rs_(core::OpenServerRecordset("select * from T_TRNK_EVENTS where EVENT_ID = 0")) {}

    void At(std::size_t machine) {
        if (machine < plan_.places.size())
            place_ = plan_.places[machine];
        else
            place_ = {db::Value(plan_.deptId), db::Value(plan_.locationId), db::Value(plan_.groupId)};
    }

    void Add(std::int32_t machine, int command, const std::string& parameter, const db::DateTime& start,
             std::optional<db::DateTime> stop = std::nullopt) {
        rs_->AddNew();
        rs_->Set("MACHINE_ID", machine);
        rs_->Set("COMMAND_ID", command);
        if (!parameter.empty()) rs_->Set("PARAM1", parameter);
        rs_->Set("START_TIME", start);
        if (stop) rs_->Set("STOP_TIME", *stop);
        rs_->Set("DEPT_ID", place_[0]);
        rs_->Set("LOCATION_ID", place_[1]);
        rs_->Set("GROUP_ID", place_[2]);
        rs_->Update();
        ++written_;
    }
    std::int64_t Written() const { return written_; }

  private:
    const EventStreamPlan& plan_;
    core::RecordsetPtr rs_;
    std::array<db::Value, 3> place_;
    std::int64_t written_ = 0;
};

db::DateTime Minutes(const db::DateTime& t, int minutes) {
    return util::AddSeconds(t, static_cast<std::int64_t>(minutes) * 60);
}

void WritePeriod(Writer& out, const EventStreamPlan& plan, Dice& dice, std::int32_t machine,
                 std::size_t serial, const db::DateTime& from, int length) {
    const db::DateTime until = Minutes(from, length);
    out.Add(machine, 7, Pick(plan.users, serial), from, until);
    out.Add(machine, 4, Pick(plan.jobs, serial), Minutes(from, 1), until);
    out.Add(machine, 12, Pick(plan.parts, serial), Minutes(from, 2), until);
    if (!plan.operations.empty())
        out.Add(machine, 13, Pick(plan.operations, serial), Minutes(from, 3), until);
    const int setup = dice.Between(10, 30);
    out.Add(machine, 6, "", Minutes(from, 4), Minutes(from, 4 + setup));
    int at = 5 + setup;
    for (int cycle = 1;; ++cycle) {
        const int run = dice.Between(plan.shortestCycle, plan.longestCycle);
        if (at + run + 1 >= length) break;
        out.Add(machine, 5, "", Minutes(from, at), Minutes(from, at + run));
        at += run;
        out.Add(machine, 10, std::to_string(dice.Between(1, 3)), Minutes(from, at));
        if (cycle % plan.scrapEvery == 0)
            out.Add(machine, 11,
                    std::to_string(dice.Between(1, 2)) + "." + Pick(plan.scrapCodes, serial + cycle),
                    Minutes(from, at));
        at += dice.Between(1, 3);
        if (cycle % plan.machineDowntimeEvery == 0 && at + 31 < length) {
            const int down = dice.Between(10, 30);
            out.Add(machine, 8, Pick(plan.machineDowntimeCodes, serial + cycle), Minutes(from, at),
                    Minutes(from, at + down));
            at += down + 1;
        }
        if (cycle % plan.userDowntimeEvery == 0 && at + 16 < length) {
            out.Add(machine, 9, Pick(plan.userDowntimeCodes, serial + cycle), Minutes(from, at),
                    Minutes(from, at + 15));
            at += 16;
        }
    }
}

}  // namespace

std::int64_t WriteEventStream(const EventStreamPlan& plan) {
    Writer out(plan);
    Dice dice(plan.seed);
    std::size_t serial = 0;
    for (int day = 0; day < plan.days; ++day) {
        const db::DateTime midnight = util::AddDays(plan.firstDay, day);
        for (std::size_t m = 0; m < plan.machineIds.size(); ++m) {
            out.At(m);
            for (const WorkPeriod& period : plan.periods)
                WritePeriod(out, plan, dice, plan.machineIds[m], serial++,
                            Minutes(midnight, period.startMinute), period.lengthMinutes);
            if (m % 2 == 1)
                WritePeriod(out, plan, dice, plan.machineIds[m], serial++,
                            Minutes(midnight, plan.nightPeriod.startMinute), plan.nightPeriod.lengthMinutes);
        }
    }
    return out.Written();
}

}  // namespace tmigration::mdc
