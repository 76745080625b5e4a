// The sample plant: every legacy table the organisation and reference transfers read, declared as a row
// count and column generators, parents before children, followed by the cribs and travelers of
// SampleAssetTables and the history, attachment and rights tables of SampleHistoryTables. Scale 1 is a
// small plant of about five and a half thousand rows besides the reserved reference blocks; each unit of
// scale adds as many again.
#include "legacy/seeds/ReferenceRows.h"
#include "sample/SampleColumns.h"
#include "sample/SamplePlant.h"

namespace tmigration::sample {
namespace {

using db::Value;

// The reference rows are the legacy suite's own, the rows its Common module installs.
const auto kProductTypes = legacy::PTypeSeed().rows;
const auto kStatuses = legacy::StatusSeed().rows;
const auto kCommands = legacy::CommandSeed().rows;
const auto kDowntimes = legacy::DowntimeSeed().rows;
const auto kScrapCodes = legacy::ScrapCodeSeed().rows;

constexpr std::int64_t kReservedBlock = 512;

std::string Reserved(std::int64_t id) {
    return "Res. " + std::to_string(id) + ", ,1";
}

// A time of day on the shift calendar's reference date; a stop after midnight falls on the next day.
Value Clock(int hour, int minute = 0, int day = 1) {
    return Value(db::DateTime{1970, 1, day, hour, minute, 0});
}

// Intervals the product shipped with, then ones a plant adds: day, swing and night (across midnight),
// twelve-hour weekend intervals, and a Saturday half day whose swing flag was typed in lower case.
const std::vector<Value> kIntervalNames = {"Day",         "Swing",         "Night",
                                           "Weekend Day", "Weekend Night", "Saturday Half"};
const std::vector<Value> kIntervalStarts = {Clock(6), Clock(14), Clock(22), Clock(6), Clock(18), Clock(6)};
const std::vector<Value> kIntervalStops = {Clock(14), Clock(22),      Clock(6, 0, 2),
                                           Clock(18), Clock(6, 0, 2), Clock(10)};
const std::vector<Value> kIntervalHours = {8.0, 8.0, 8.0, 12.0, 12.0, 4.0};
const std::vector<Value> kIntervalSwing = {"N", "Y", "N", "N", "N", "y"};

// A later interval: starts on the quarter hour, lasts 4 to 12 hours, may cross midnight.
std::int64_t IntervalStartMinutes(Cell& cell) {
    return cell.Between(0, 95) * 15;
}
ColumnGenerator IntervalStart() {
    return [](Cell& cell) {
        const std::int64_t m = IntervalStartMinutes(cell);
        return Clock(static_cast<int>(m / 60), static_cast<int>(m % 60));
    };
}
ColumnGenerator IntervalHours() {
    return [](Cell& cell) { return Value(static_cast<double>(cell.Between(4, 12))); };
}
ColumnGenerator IntervalStop() {
    return [](Cell& cell) {
        const Value start = cell.GetPlan().ValueOf("T_TRNK_INTERVAL", "START_TIME", cell.Row());
        const Value hours = cell.GetPlan().ValueOf("T_TRNK_INTERVAL", "DURATION", cell.Row());
        const std::int64_t s = start.AsDateTime().ToEpochSeconds() + hours.AsInteger() * 3600;
        return Value(db::DateTime::FromEpochSeconds(s));
    };
}

// The weekly plan of a shift: the built-in first, second and third (nights, Sunday to Thursday) shifts,
// then shifts with an interval on some days and none on others.
ColumnGenerator ShiftDay(int weekday) {  // 1 Monday .. 7 Sunday
    std::vector<Value> builtIn(3);       // First, Second, Third; Null is a day off
    if (weekday <= 5) builtIn[0] = Value(1);
    if (weekday == 6) builtIn[0] = Value(6);
    if (weekday <= 5) builtIn[1] = Value(2);
    if (weekday != 5 && weekday != 6) builtIn[2] = Value(3);
    return Listed(std::move(builtIn), OrNull(weekday >= 6 ? 50 : 15, Ref("T_TRNK_INTERVAL")));
}

// Persons' and groups' security ids follow the four administrator groups' 1..4, without gaps.
ColumnGenerator GroupSid() {
    return [](Cell& cell) { return Value(static_cast<long long>(cell.Row())); };
}
ColumnGenerator PersonSid() {
    return [](Cell& cell) {
        return Value(static_cast<long long>(cell.GetPlan().Rows("T_TRNK_USERGROUP") + cell.Row()));
    };
}
ColumnGenerator NextSid() {
    return [](Cell& cell) {
        const Plan& plan = cell.GetPlan();
        return Value(static_cast<long long>(plan.Rows("T_TRNK_USERGROUP") + plan.Rows("T_TRNK_PERS") + 1));
    };
}

// Memberships: one per user in a first round, a second group for some users in later rounds; a member
// of legacy group 2 also joins group 3, so that the merged administrators group meets duplicates.
std::int64_t MembershipGroup(const Plan& plan, std::int64_t user, std::int64_t round) {
    const std::int64_t groups = plan.Rows("T_TRNK_USERGROUP");
    Cell cell(plan, 0x5eed0000 + static_cast<std::uint64_t>(user) * 7919 + plan.Seed(), user);
    const std::int64_t first = cell.Between(1, groups);
    if (round == 0) return first;
    if (first == 2) return 3;
    const std::int64_t other = cell.Between(1, groups - 1);
    return other >= first ? other + 1 : other;
}
ColumnGenerator MembershipUser() {
    return [](Cell& cell) {
        return Value(static_cast<long long>(1 + (cell.Row() - 1) % cell.GetPlan().Rows("T_TRNK_PERS")));
    };
}
ColumnGenerator MembershipGroupColumn() {
    return [](Cell& cell) {
        const std::int64_t users = cell.GetPlan().Rows("T_TRNK_PERS");
        return Value(static_cast<long long>(
            MembershipGroup(cell.GetPlan(), 1 + (cell.Row() - 1) % users, (cell.Row() - 1) / users)));
    };
}

// Parts of a job: rows of one job are spread through the table (row k belongs to job k mod jobs) and
// their ordinals fall as the rows rise, with gaps (12, 9, 5 ...), so the renumbering must sort.
ColumnGenerator PartJob() {
    return [](Cell& cell) {
        return Value(static_cast<long long>(1 + (cell.Row() - 1) % cell.GetPlan().Rows("T_TRNK_JOB")));
    };
}
ColumnGenerator PartOrdinal() {
    return [](Cell& cell) {
        const std::int64_t round = (cell.Row() - 1) / cell.GetPlan().Rows("T_TRNK_JOB");
        return Value(static_cast<long long>((8 - round) * 4 + cell.Below(3)));
    };
}

// Parts come in revisions: three rows share a part number with revisions 0, 1 and 2.
ColumnGenerator PartNumber() {
    return [](Cell& cell) { return Value("P-" + std::to_string(100000 + (cell.Row() - 1) / 3)); };
}
ColumnGenerator PartRevision() {
    return [](Cell& cell) { return Value(static_cast<long long>((cell.Row() - 1) % 3)); };
}

// An event's stop follows its start by up to eight hours; events still running have none.
ColumnGenerator EventStop() {
    return [](Cell& cell) {
        if (cell.Percent(5)) return Value();
        const Value start = cell.GetPlan().ValueOf("T_TRNK_EVENTS", "START_TIME", cell.Row());
        return Value(
            db::DateTime::FromEpochSeconds(start.AsDateTime().ToEpochSeconds() + cell.Between(1, 8 * 3600)));
    };
}

// Mostly the built-in commands; now and then one a plant added above the reserved block.
ColumnGenerator EventCommand() {
    return [](Cell& cell) {
        if (cell.Percent(90)) return Value(static_cast<long long>(cell.Between(1, 13)));
        return Value(
            static_cast<long long>(cell.Between(kReservedBlock + 1, cell.GetPlan().Rows("T_TRNK_COMMANDS"))));
    };
}

// Machine events keep the last event of each built-in command on each machine: one row per machine
// and command, machines first, so that rows stay distinct up to 13 per machine.
ColumnGenerator MachineOfPair() {
    return [](Cell& cell) {
        return Value(static_cast<long long>((cell.Row() - 1) % cell.GetPlan().Rows("T_TRNK_MACHINES") + 1));
    };
}

ColumnGenerator CommandOfPair() {
    return [](Cell& cell) {
        const std::int64_t machines = cell.GetPlan().Rows("T_TRNK_MACHINES");
        return Value(static_cast<long long>((cell.Row() - 1) / machines % 13 + 1));
    };
}

// A reason's downtime category, in a cycle of eight rows so that a small plant has every kind: built-in
// (five in eight), added by the plant, reserved (not carried over), none.
ColumnGenerator ReasonDowntime() {
    return [](Cell& cell) {
        const std::int64_t kind = (cell.Row() - 1) % 8;
        if (kind < 5) return Value(static_cast<long long>(cell.Between(1, 11)));
        if (kind == 5)
            return Value(static_cast<long long>(
                cell.Between(kReservedBlock + 1, cell.GetPlan().Rows("T_TRNK_DOWNTIME"))));
        if (kind == 6) return Value(static_cast<long long>(cell.Between(12, kReservedBlock)));
        return Value();
    };
}

// The product type of a user type the plant added: mostly job titles, some reasons and shift kinds.
ColumnGenerator UserTypeKind() {
    return [](Cell& cell) {
        static const long long kKinds[] = {12, 12, 7, 12, 13};
        return Value(kKinds[(cell.Row() - 1) % 5]);
    };
}

// A job's dates: target start within two years, stops after it; actual dates only once it started.
ColumnGenerator JobDate(std::string_view from, std::int64_t minHours, std::int64_t maxHours,
                        int nullPercent) {
    return [from, minHours, maxHours, nullPercent](Cell& cell) {
        if (cell.Percent(nullPercent)) return Value();
        const Value base = cell.GetPlan().ValueOf("T_TRNK_JOB", from, cell.Row());
        if (base.IsNull()) return Value();
        return Value(db::DateTime::FromEpochSeconds(base.AsDateTime().ToEpochSeconds() +
                                                    cell.Between(minHours, maxHours) * 3600));
    };
}

// Names are at most as wide as both the legacy column and the new one (40 characters) allow: several
// legacy name columns are wider than the new schema's, and a name past 40 would not migrate.
const std::vector<std::string> kDeptWords = {"Machining",   "Assembly", "Quality", "Shipping",
                                             "Maintenance", "Welding",  "Paint"};
const std::vector<std::string> kLocationWords = {"Bay", "Cell", "Line", "Crib", "Yard", "Mezzanine"};
const std::vector<std::string> kMachineWords = {"Lathe", "Mill", "Grinder", "Press", "EDM", "Saw", "Router"};
const std::vector<std::string> kPartWords = {"Bracket", "Shaft",   "Housing", "Flange",
                                             "Gear",    "Bushing", "Cover"};
const std::vector<std::string> kOpWords = {"Turn", "Drill", "Deburr", "Heat treat", "Inspect", "Tap", "Wash"};
const std::vector<std::string> kMaterialWords = {"Steel 1045", "Aluminium 6061", "Brass", "Nylon",
                                                 "Ti-6Al-4V"};
const std::vector<std::string> kReasonWords = {"No operator", "Waiting for crane", "Coolant low",
                                               "Tool broke", "Power dip"};
const std::vector<std::string> kTitleWords = {"Machinist", "Setter", "Inspector", "Lead Hand", "Planner"};

// The address block customers and vendors share.
std::vector<ColumnSpec> AddressBook(std::string_view numberColumn, const char* numberPattern,
                                    int productType) {
    return {{"COMPANY_NAME", OrNull(5, Company())},
            {"FIRST_NAME", OrNull(20, FirstName())},
            {"LAST_NAME", OrNull(20, LastName())},
            {"ADDRESS_LINE_1", OrNull(10, Numbered("%lld Industrial Way"))},
            {"ADDRESS_LINE_2", OrNull(70, OneOf({"Suite 200", "Dock 4, Gate \"B\"", "P.O. Box 12"}))},
            {"CITY", OrNull(10, City())},
            {"STATE", OrNull(20, OneOf({"OH", "MI", "Ontario", "Baden-Wuerttemberg"}))},
            {"ZIP_CODE", OrNull(10, Numbered("%05lld", 43000))},
            {"COUNTRY", OrNull(30, OneOf({"USA", "Canada", "Germany"}))},
            {"PHONE", OrNull(10, Phone())},
            {"PHONE1", OrNull(50, Phone())},
            {"PHONE2", OrNull(80, Phone())},
            {"PHONE3", OrNull(90, Phone())},
            {"FAX", OrNull(60, Phone())},
            {"COUNTRY_CODE", OrNull(60, OneOf({"1", "49", "+1"}))},
            {"EMAIL", OrNull(40, Numbered("orders%lld@example.com"))},
            {"WEB_SITE", OrNull(60, Numbered("https://www.example.com/partners/%lld"))},
            {"PTYPE_ID", Const(productType)},
            {numberColumn, Numbered(numberPattern)},
            {"NOTES", Notes()}};
}

std::vector<TableSpec> Declare() {
    return {
        {"T_TRNK_PTYPE",
         {kReservedBlock, 0},
         {},
         {{"PTYPE_NAME"},
          kProductTypes,
          [](std::int64_t id) { return "Reserved" + std::to_string(id); },
          kReservedBlock}},
        {"T_TRNK_STATUS",
         {kReservedBlock, 0},
         {},
         {{"STATUS_NAME", "STATUS_NUMBER", "PTYPE_ID", "DETAILS", "INTERNALFLAG"},
          kStatuses,
          [](std::int64_t id) { return "Reserved" + std::to_string(id) + ", ,1, , "; },
          kReservedBlock}},
        {"T_TRNK_COMMON",
         {5, 0},
         {{"APP_ID", Listed({1, 11, 21, 31, 0})},
          {"INSTALLED", Listed({"N", "N", "N", "N"})},
          {"RESERVED0", Listed({"15.103", "37.105", "17.36", "9.114", "61.132"})},
          {"RESERVED1", Listed({{}, {}, {}, {}, "60"})},
          {"RESERVED2", Listed({{}, {}, {}, {}, "85"})},
          {"RESERVED3", Listed({{}, {}, {}, {}, "263"})},
          {"RESERVED4", Listed({{}, {}, {}, {}, "232"})},
          {"RESERVED5", Listed({{}, {}, {}, {}, "182"})},
          {"RESERVED6", Listed({{}, {}, {}, {}, "273"})},
          {"RESERVED7", Listed({{}, {}, {}, {}, "171"})},
          {"RESERVED8", Listed({{}, {}, {}, {}, "13"})},
          {"RESERVED9", Listed({{}, {}, {}, {}, "11"})},
          {"RESERVED10", Listed({{}, {}, {}, {}, "1"})},
          {"RESERVED11", Listed({{}, {}, {}, {}, "344"})},
          {"RESERVED12", Listed({{}, {}, {}, {}, "2"})}}},
        {"T_TRNK_USERTYPE",
         {6, 4},
         {{"USERTYPE_NAME", Listed({"Day Shift", "Swing Shift", "Graveyard Shift", "Weekend Shift",
                                    "Manufacturing Engineer", "Factory Defective"},
                                   Name(kTitleWords, 30))},
          {"USERTYPE_NUMBER", Listed({"", "", "", "", "", ""}, OrNull(50, Numbered("UT%lld")))},
          {"PTYPE_ID", Listed({13, 13, 13, 13, 12, 7}, UserTypeKind())},
          {"DETAILS", Listed({"0", "0", "0", "0", "0", "0"}, Notes())}}},
        {"T_TRNK_USERGROUP",
         {4, 3},
         {{"SID", GroupSid()},
          {"USERGROUP_NAME", Listed({"Travelers Administrator", "Gage Crib Administrator",
                                     "Tool Crib Administrator", "MDC Administrator"},
                                    Name({"Operators", "Supervisors", "Quality", "Planning"}, 40))}}},
        {"T_TRNK_COMMANDS",
         {kReservedBlock, 3},
         {{"COMMAND_NUMBER", Numbered("%lld", 100)},
          {"COMMAND_NAME", Name({"Spindle Warmup", "Probe Cycle", "Pallet Change", "Door Open"}, 40)},
          {"PTYPE_ID", Const(5)},
          {"DESCRIPTION", Notes()}},
         {{"COMMAND_NUMBER", "COMMAND_NAME"}, kCommands, Reserved, kReservedBlock}},
        {"T_TRNK_DOWNTIME",
         {kReservedBlock, 4},
         {{"DOWNTIME_NAME", Name(kReasonWords, 30)},
          {"DOWNTIME_NUMBER", Numbered("%lld", 100)},
          {"PLANNED", OneOf({"Y", "N", "N", "N", "n"})},
          {"PTYPE_ID", OneOf({5, 5, 6, 33})},
          {"NOTES", Notes()}},
         {{"DOWNTIME_NAME", "DOWNTIME_NUMBER", "PLANNED", "PTYPE_ID"}, kDowntimes, Reserved, kReservedBlock}},
        {"T_TRNK_SCRAP_CODE",
         {kReservedBlock, 5},
         {{"SCRAP_CODE_NUMBER", Numbered("%lld", 100)},
          {"SCRAP_CODE_NAME", Name({"Oversize", "Undersize", "Burr", "Porosity", "Scratched"}, 40)},
          {"NOTES", Notes()}},
         {{"SCRAP_CODE_NUMBER", "SCRAP_CODE_NAME"}, kScrapCodes, Reserved, kReservedBlock}},
        {"T_TRNK_INTERVAL",
         {6, 2},
         {{"INTERVAL_NAME", Listed(kIntervalNames, Numbered("Interval %lld"))},
          {"START_TIME", Listed(kIntervalStarts, IntervalStart())},
          {"DURATION", Listed(kIntervalHours, IntervalHours())},
          {"STOP_TIME", Listed(kIntervalStops, IntervalStop())},
          {"IS_SWING", Listed(kIntervalSwing, OneOf({"Y", "N", "N"}))}}},
        {"T_TRNK_SHIFT",
         {3, 1},
         {{"SHIFT_NUMBER", Numbered("%lld")},
          {"SHIFT_NAME", Listed({"First", "Second", "Third"}, Numbered("Shift %lld"))},
          {"MON_INTERVAL_ID", ShiftDay(1)},
          {"TUE_INTERVAL_ID", ShiftDay(2)},
          {"WED_INTERVAL_ID", ShiftDay(3)},
          {"THU_INTERVAL_ID", ShiftDay(4)},
          {"FRI_INTERVAL_ID", ShiftDay(5)},
          {"SAT_INTERVAL_ID", ShiftDay(6)},
          {"SUN_INTERVAL_ID", ShiftDay(7)},
          {"DURATION", Listed({8.0, 8.0, 8.0}, OneOf({8.0, 10.0, 12.0, 7.5}))},
          {"IS_SWING", Listed({"N", "Y", "N"}, OneOf({"Y", "N", "N"}))}}},
        {"T_TRNK_CUSTOMER", {0, 20}, AddressBook("CUSTOMER_NUMBER", "C-%05lld", 39)},
        {"T_TRNK_VENDOR", {0, 20}, AddressBook("VENDOR_NUMBER", "V-%05lld", 24)},
        {"T_TRNK_DEPT",
         {0, 5},
         {{"DEPT_NAME", Name(kDeptWords, 30)},
          {"DEPT_NUMBER", Numbered("D%03lld")},
          {"PTYPE_ID", Const(23)},
          {"DETAILS", Notes()},
          {"PARTS_PER_HR", OrNull(50, Int(5, 400))},
          {"COST_PER_HR", OrNull(30, Money(20, 180))}}},
        // Machine locations (product type 5), gage and tool cribs (4, 8) and a few of other types.
        {"T_TRNK_LOCATION",
         {0, 20},
         {{"LOCATION_NAME", Name(kLocationWords, 30)},
          {"LOCATION_NUMBER", Numbered("L-%04lld")},
          // A machine location always lies in a department: machine data is filed under both.
          {"DEPT_ID", [dept = Ref("T_TRNK_DEPT"), deptOrNull = OrNull(10, Ref("T_TRNK_DEPT"))](
                          Cell& cell) { return (cell.Row() - 1) % 10 < 6 ? dept(cell) : deptOrNull(cell); }},
          {"PTYPE_ID",
           [](Cell& cell) {
               static const long long kTypes[] = {5, 5, 5, 5, 5, 5, 4, 8, 4, 26};
               return Value(kTypes[(cell.Row() - 1) % 10]);
           }},
          {"DETAILS", Notes()},
          {"COST_PER_HR", OrNull(60, Money(10, 90))}}},
        {"T_TRNK_GROUPS",
         {0, 10},
         {{"GROUP_NUMBER", Numbered("G%03lld")},
          {"GROUP_NAME", Name(kMachineWords, 40)},
          {"LOCATION_ID", RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {5})},
          {"DEPT_ID", OrNull(20, Ref("T_TRNK_DEPT"))},
          {"PTYPE_ID", Const(5)},
          {"DESCRIPTION", Notes()}}},
        {"T_TRNK_MACHINES",
         {0, 25},
         {{"MACHINE_NUMBER", Numbered("M%04lld")},
          {"MACHINE_NAME", Name(kMachineWords, 40)},
          {"DEPT_ID", OrNull(10, Ref("T_TRNK_DEPT"))},
          {"LOCATION_ID", OrNull(10, RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {5}))},
          // Every machine sits in a group: its shift-history buffers are filed under the group's place.
          {"GROUP_ID", Ref("T_TRNK_GROUPS")},
          {"SERIAL_NUMBER", OrNull(30, Numbered("SN-%08lld", 4711))},
          {"PTYPE_ID", Const(5)},
          {"VENDOR_ID", OrNull(20, Ref("T_TRNK_VENDOR"))},
          {"STATUS_ID", Int(34, 37)},
          {"DESCRIPTION", Notes()},
          {"PARTS_PER_HR", OrNull(40, Int(5, 400))},
          {"COST_PER_HR", OrNull(20, Money(25, 250))},
          // The collectors stamp every status change, so a machine in a status has its date.
          {"STATUS_DATE", When(1500)}}},
        {"T_TRNK_PERS",
         {0, 60},
         {{"LAST_NAME", LastName()},
          {"FIRST_NAME", OrNull(5, FirstName())},
          {"PERSONNEL_NUMBER", Numbered("E%05lld")},
          {"PASSWORD", OrNull(30, OneOf({"secret", "O'Hara#1", "  spaced  ", "p\"w"}))},
          {"SHIFT_ID", OrNull(10, Ref("T_TRNK_SHIFT"))},
          {"DEPT_ID", OrNull(10, Ref("T_TRNK_DEPT"))},
          {"SID", PersonSid()},
          {"JOBTITLE_ID", OrNull(20, RefWhere("T_TRNK_USERTYPE", "PTYPE_ID", {12}))},
          {"LOCATION_ID", OrNull(30, RefWhere("T_TRNK_LOCATION", "PTYPE_ID", {5}))},
          {"STATUS_ID", OneOf({30, 30, 30, 30, 30, 31})},  // about one in six has left
          {"NOTES", Notes()},
          {"EMAIL", OrNull(40, Numbered("employee%lld@plant.example"))}}},
        {"T_TRNK_PERS_USERGROUP",
         {0, 80},
         {{"PERS_ID", MembershipUser()}, {"USERGROUP_ID", MembershipGroupColumn()}}},
        {"T_TRNK_MATERIALTYPE",
         {0, 4},
         {{"MATERIALTYPE_NUMBER", Numbered("MT%03lld")},
          {"MATERIALTYPE_NAME", Name({"Bar stock", "Sheet", "Casting", "Forging"}, 40)},
          {"DESCRIPTION", Notes()},
          {"PTYPE_ID", OneOf({45, 45, 46, 47, 48})}}},
        {"T_TRNK_MATERIAL",
         {0, 30},
         {{"MATERIAL_NAME", Name(kMaterialWords, 40)},
          {"MATERIAL_NUMBER", Numbered("MAT-%05lld")},
          {"MATERIALTYPE_ID", Ref("T_TRNK_MATERIALTYPE")},
          {"PTYPE_ID", Const(11)},
          {"DETAIL", Notes()},
          {"BPRINT", OrNull(50, Numbered("BP-%05lld"))}}},
        {"T_TRNK_PARTTYPE",
         {0, 5},
         {{"PARTTYPE_NUMBER", Numbered("PT%03lld")},
          {"PARTTYPE_NAME", Name({"Machined", "Fabricated", "Purchased", "Assembly"}, 40)},
          {"DESCRIPTION", Notes()},
          {"PTYPE_ID", Const(19)}}},
        {"T_TRNK_PART",
         {0, 80},
         {{"PART_NAME", Name(kPartWords, 40)},
          {"PART_NUMBER", PartNumber()},
          {"PARTTYPE_ID", Ref("T_TRNK_PARTTYPE")},
          {"PTYPE_ID", Const(14)},
          {"REVISION", PartRevision()},
          {"MODEL_NUMBER", OrNull(60, Numbered("MOD-%lld"))},
          {"VENDOR_ID", OrNull(80, Ref("T_TRNK_VENDOR"))},
          {"COST", OrNull(30, Money(0.5, 900))},
          {"DETAIL", Notes()},
          {"BPRINT", OrNull(40, Numbered("BP-%05lld", 50000))}}},
        {"T_TRNK_OPS",
         {0, 40},
         {{"OPS_NAME", Name(kOpWords, 40)},
          {"OPS_NUMBER", Numbered("%lld0")},
          {"OPS_DESCRIPTION", OrNull(50, Name(kOpWords, 40))},
          {"PTYPE_ID", Const(22)},
          {"CREATE_DATE", When(1500)},
          {"CREATOR_ID", Ref("T_TRNK_PERS")},
          {"REVISION_NO", Int(0, 4)},
          {"REMARKS", Notes()}}},
        {"T_TRNK_REASON",
         {0, 15},
         {{"REASON_NUMBER", Numbered("R%04lld")},
          {"REASON_NAME", Name(kReasonWords, 40)},
          {"DOWNTIME_ID", ReasonDowntime()},
          {"NOTES", Notes()}}},
        {"T_TRNK_INSPECTION",
         {0, 10},
         {{"INSPECTION_NAME", Name({"First piece", "Visual", "CMM", "Hardness"}, 40)},
          {"INSPECTION_NUMBER", Numbered("I%04lld")},
          {"DESCRIPTION", Notes()}}},
        {"T_TRNK_JOB",
         {0, 60},
         {{"JOB_NUMBER", Numbered("J-%06lld", 240000)},
          {"JOB_NAME", OrNull(10, Name(kPartWords, 30))},
          {"TARGET_START", OrNull(5, When(1500))},
          {"TARGET_STOP", JobDate("TARGET_START", 8, 400, 5)},
          {"ACTUAL_START", JobDate("TARGET_START", 0, 48, 30)},
          {"ACTUAL_STOP", JobDate("ACTUAL_START", 8, 500, 40)},
          {"TARGET_QTY", OrNull(10, Int(1, 5000))},
          {"ACTUAL_QTY", OrNull(30, Int(0, 5000))},
          {"CUSTOMER_ID", OrNull(20, Ref("T_TRNK_CUSTOMER"))},
          {"PART_ID", OrNull(10, Ref("T_TRNK_PART"))},
          {"NOTES", Notes()},
          {"STATUS_ID", Int(73, 75)}}},
        {"T_TRNK_PARTS_PER_JOB",
         {0, 150},
         {{"JOB_ID", PartJob()},
          {"PART_ID", Ref("T_TRNK_PART")},
          {"TARGET_QTY", OrNull(15, Int(1, 2000))},
          {"ACTUAL_QTY", OrNull(30, Int(0, 2000))},
          {"SCRAPPED_QTY", OrNull(50, Int(0, 40))},
          {"ORDINAL", PartOrdinal()}}},
        // Machine events: every event runs on a machine; its department, location and group are the
        // machine's own, as the collectors recorded them.
        {"T_TRNK_EVENTS",
         {0, 300},
         {{"START_TIME", When(1500)},
          {"STOP_TIME", EventStop()},
          {"COMMAND_ID", EventCommand()},
          {"MACHINE_ID", Ref("T_TRNK_MACHINES")},
          {"DEPT_ID", Through("T_TRNK_EVENTS", "MACHINE_ID", "T_TRNK_MACHINES", "DEPT_ID")},
          {"LOCATION_ID", Through("T_TRNK_EVENTS", "MACHINE_ID", "T_TRNK_MACHINES", "LOCATION_ID")},
          {"GROUP_ID", Through("T_TRNK_EVENTS", "MACHINE_ID", "T_TRNK_MACHINES", "GROUP_ID")},
          {"PARAM1", OrNull(30, Numbered("J-%06lld", 240000))}}},
        {"T_TRNK_MACHINE_EVENTS",
         {0, 150},
         {{"EVENT_ID", Ref("T_TRNK_EVENTS")},
          {"MACHINE_ID", MachineOfPair()},
          {"COMMAND_ID", CommandOfPair()}}},
        {"T_TRNK_SID", {1, 0}, {{"NEXT_SID", NextSid()}}},
    };
}

}  // namespace

std::span<const TableSpec> SamplePlantTables() {
    static const std::vector<TableSpec> tables = [] {
        std::vector<TableSpec> all = Declare();
        for (TableSpec& table : SampleAssetTables()) all.push_back(std::move(table));
        for (TableSpec& table : SampleHistoryTables()) all.push_back(std::move(table));
        return all;
    }();
    return tables;
}

}  // namespace tmigration::sample
