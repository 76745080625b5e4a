#include "core/SecurityLookups.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "core/RecordsetHelpers.h"
#include "util/VbConversions.h"

namespace tmigration::core {
namespace {

struct PermissionObjects {
    std::int32_t legacyCode;
    std::int32_t firstObjectCode;
    std::int32_t secondObjectCode;
    std::int32_t appCode;
};

constexpr PermissionObjects kPermissionObjects[] = {
    {18, 2, 9, 1},      {19, 2, 11, 3},     {51, 30, 39, 1},    {65, 30, 50, 3},
    {89, 73, 80, 1},    {100, 84, 92, 3},   {117, 101, 108, 1}, {161, 143, 152, 1},
    {174, 159, 166, 3}, {194, 175, 184, 1}, {206, 183, 197, 3}, {270, 229, 253, 3},
};

}  // namespace

std::int32_t GetNextSID() {
    RecordsetPtr rs = OpenClientRecordset("select * from T_TRNK_SID");
    const std::int32_t next = util::CLng(rs->Get("NEXT_SID"));
    rs->Set("NEXT_SID", db::Value(util::CLng(static_cast<double>(next) + 1)));
    rs->Update();
    CloseRecordset(rs);
    return next;
}

void GetObjectIds(std::int32_t legacyCode, std::int32_t& firstObjectId, std::int32_t& secondObjectId) {
    firstObjectId = -1;
    secondObjectId = -1;
    const auto map = std::find_if(std::begin(kPermissionObjects), std::end(kPermissionObjects),
                                  [&](const PermissionObjects& p) { return p.legacyCode == legacyCode; });
    if (map == std::end(kPermissionObjects)) return;

    RecordsetPtr rs = OpenClientRecordset(
        "select OBJECT_ID, OBJECT_CODE  from T_SFC_OBJECT  where OBJECT_CODE IN (" +
        std::to_string(map->firstObjectCode) + ", " + std::to_string(map->secondObjectCode) +
        ")  and APP_CODE = " + std::to_string(map->appCode));
    for (; !rs->Eof(); rs->MoveNext()) {
        const std::int32_t code = util::CLng(rs->Get("OBJECT_CODE"));
        if (code == map->firstObjectCode) firstObjectId = util::CLng(rs->Get("OBJECT_ID"));
        if (code == map->secondObjectCode) secondObjectId = util::CLng(rs->Get("OBJECT_ID"));
    }
    CloseRecordset(rs);
}

}  // namespace tmigration::core
