#include "core/DateHelpers.h"

#include "core/RecordsetHelpers.h"
#include "util/DateMath.h"

namespace tmigration::core {

std::string GetDatabaseNow(db::Dialect databaseType) {
    const char* sql = nullptr;
    const char* dateColumn = nullptr;
    const char* timeColumn = nullptr;
    switch (databaseType) {
        case db::Dialect::Oracle:
            sql = "Select SYSDATE from DUAL";
            dateColumn = timeColumn = "SYSDATE";
            break;
        case db::Dialect::Access:
            sql = "SELECT Date() as PDATE , Time() as PTIME ";
            dateColumn = "PDATE";
            timeColumn = "PTIME";
            break;
        case db::Dialect::SqlServer:
            sql = "select CURRENT_TIMESTAMP AS PDATE ";
            dateColumn = timeColumn = "PDATE";
            break;
    }
    RecordsetPtr rs = OpenClientRecordset(sql);
    const db::DateTime now = CombineDateAndTime(rs->Get(dateColumn), rs->Get(timeColumn));
    CloseRecordset(rs);
    return now.ToIso();
}

db::DateTime CombineDateAndTime(const db::DateTime& date, const db::DateTime& time) {
    return db::DateTime{date.year, date.month, date.day, time.hour, time.minute, time.second};
}

db::DateTime CombineDateAndTime(const db::Value& date, const db::Value& time) {
    return CombineDateAndTime(date.AsDateTime(), time.AsDateTime());
}

db::DateTime BuildDateTime(int year, int month, int day, int hour, int minute, int second) {
    const db::DateTime built{year, month, day, hour, minute, second};
    return util::IsValidDateTime(built) ? built : util::EmptyDate();
}

}  // namespace tmigration::core
