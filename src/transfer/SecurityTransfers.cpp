// Security objects, SIDs and permissions. The new schema was seeded with its own security objects
// and administrator groups: the legacy objects are matched onto the seeded ones (none is written),
// the crib administrators get a SID of their own, each product's administrators get full rights on
// its objects, what the legacy administrators were allowed on the other products is carried over,
// and so is every other legacy permission. A legacy function that became two new objects grants
// both of them.
#include <algorithm>
#include <iterator>
#include <span>
#include <string>

#include "core/SecurityLookups.h"
#include "core/Step.h"
#include "transfer/BuiltTransfers.h"
#include "transfer/GetNewID.h"
#include "util/VbConversions.h"

namespace tmigration::transfer {
namespace {

struct ObjectCode {
    std::int32_t legacyId;
    std::int32_t newCode;
};

// Legacy object id -> new OBJECT_CODE of the travelers objects.
constexpr ObjectCode kTravelersObjects[] = {
    {1, 45},    {2, 1},     {3, 5},     {4, 6},     {6, 7},     {7, 8},     {8, 12},    {9, 15},
    {10, 16},   {11, 18},   {12, 17},   {13, 19},   {14, 20},   {15, 21},   {16, 23},   {18, 24},
    {19, 25},   {20, 26},   {21, 27},   {22, 124},  {23, 29},   {24, 34},   {25, 35},   {27, 37},
    {28, 38},   {29, 43},   {30, 47},   {31, 48},   {32, 51},   {33, 49},   {34, 52},   {35, 53},
    {36, 55},   {37, 59},   {38, 62},   {40, 64},   {41, 65},   {42, 69},   {43, 70},   {44, 120},
    {45, 72},   {46, 76},   {47, 77},   {49, 78},   {50, 79},   {51, 83},   {52, 86},   {53, 87},
    {54, 89},   {55, 88},   {56, 90},   {57, 91},   {58, 92},   {59, 94},   {61, 95},   {62, 96},
    {63, 98},   {65, 129},  {66, 129},  {67, 130},  {68, 180},  {69, 132},  {70, 156},  {71, 135},
    {72, 134},  {73, 136},  {74, 112},  {75, 137},  {76, 57},   {77, 138},  {78, 139},  {79, 140},
    {80, 198},  {81, 199},  {82, 141},  {83, 67},   {84, 126},  {85, 205},  {86, 14},   {87, 46},
    {88, 122},  {89, 121},  {90, 128},  {91, 223},  {92, 220},  {93, 221},  {94, 222},  {95, 174},
    {96, 178},  {97, 181},  {99, 182},  {100, 183}, {101, 187}, {102, 191}, {103, 192}, {104, 194},
    {105, 195}, {106, 196}, {107, 197}, {108, 193}, {109, 202}, {111, 203}, {112, 206}, {113, 207},
    {114, 209}, {115, 225}, {116, 216}, {117, 217}, {118, 226}, {119, 231}, {120, 224}, {121, 227},
    {122, 232}, {123, 85},  {124, 228}, {125, 218}, {126, 214}, {127, 215}, {128, 204}, {129, 168},
    {130, 169}, {132, 28},  {133, 71},  {134, 99},  {135, 179}, {136, 230}, {137, 22},  {138, 61},
    {139, 93},  {140, 170}, {141, 165}, {142, 200}, {143, 11},  {144, 10},  {145, 42},  {146, 40},
    {147, 82},  {148, 81},  {149, 125}, {150, 133}, {151, 186}, {152, 185}, {153, 97},  {154, 142},
    {155, 119}, {156, 155}, {157, 159}, {158, 162}, {159, 148}, {161, 147}, {162, 161}, {163, 160},
    {164, 229}, {165, 167}, {167, 166}, {168, 154}, {169, 153}, {170, 163}, {171, 164}, {172, 4},
    {173, 3},   {174, 33},  {175, 31},  {176, 75},  {177, 74},  {178, 109}, {179, 131}, {180, 145},
    {181, 144}, {182, 177}, {183, 176}, {184, 190}, {185, 157}, {186, 113}, {187, 44},  {188, 13},
    {189, 172}, {190, 171}, {191, 151}, {192, 208}, {193, 63},  {194, 36},  {195, 173}, {196, 146},
    {197, 158}, {198, 149}, {199, 84},  {200, 123}, {201, 110}, {202, 102}, {203, 103}, {204, 32},
    {205, 41},  {206, 56},  {207, 50},  {208, 188}, {209, 100}, {210, 111}, {211, 118}, {212, 127},
    {213, 104}, {214, 114}, {215, 107}, {216, 115}, {217, 106}, {219, 105}, {220, 117}, {221, 116},
    {222, 189}, {223, 150}, {224, 201}, {225, 212}, {226, 210}, {227, 213}, {228, 211}, {229, 219},
    {230, 60},  {231, 68},  {232, 66},
};
// Legacy object id -> new OBJECT_CODE of the mdc objects.
constexpr ObjectCode kMDCObjects[] = {
    {6145, 5},   {6146, 11},  {6147, 8},   {6148, 13},  {6149, 31},  {6150, 30},  {6151, 28},  {6152, 34},
    {6153, 39},  {6154, 36},  {6155, 40},  {6156, 53},  {6157, 52},  {6158, 51},  {6159, 70},  {6160, 71},
    {6161, 62},  {6162, 57},  {6163, 59},  {6164, 61},  {6165, 164}, {6166, 165}, {6167, 98},  {6168, 125},
    {6169, 142}, {6170, 112}, {6171, 119}, {6172, 115}, {6173, 121}, {6174, 140}, {6175, 139}, {6176, 132},
    {6177, 114}, {6178, 159}, {6179, 160}, {6180, 168}, {6182, 1},   {6183, 32},  {6184, 55},  {6185, 145},
    {6186, 54},  {6187, 147}, {6188, 2},   {6189, 153}, {6190, 157}, {6191, 116}, {6192, 108}, {6193, 18},
    {6194, 89},  {6195, 85},  {6196, 103}, {6197, 134}, {6198, 107}, {6199, 91},  {6200, 97},  {6201, 93},
    {6202, 109}, {6203, 156}, {6204, 135}, {6205, 130}, {6206, 19},  {6207, 21},  {6208, 87},  {6209, 17},
    {6210, 44},  {6211, 47},  {6212, 86},  {6213, 42},  {6214, 64},  {6215, 65},  {6216, 83},  {6217, 63},
    {6218, 100}, {6219, 101}, {6220, 82},  {6221, 99},  {6222, 127}, {6223, 128}, {6224, 126}, {6225, 146},
    {6226, 26},  {6227, 50},  {6228, 68},  {6229, 104}, {6230, 136}, {6233, 150}, {6234, 154}, {6235, 14},
    {6236, 161}, {6237, 149}, {6238, 9},   {6239, 37},  {6240, 60},  {6241, 96},  {6242, 117}, {6243, 3},
    {6244, 33},  {6245, 56},  {6246, 90},  {6247, 111}, {6248, 137}, {6249, 131}, {6250, 69},  {6251, 144},
    {6252, 4},   {6253, 15},  {6254, 10},  {6255, 12},  {6256, 25},  {6257, 29},  {6258, 123}, {6259, 120},
    {6260, 124}, {6261, 167}, {6262, 105}, {6263, 106}, {6264, 95},  {6265, 141}, {6266, 166}, {6267, 162},
    {6268, 110}, {6269, 118}, {6270, 152}, {6271, 138}, {6272, 155}, {6273, 45},  {6274, 38},  {6275, 73},
    {6276, 77},  {6277, 81},  {6278, 88},  {6279, 72},  {6280, 23},  {6281, 49},  {6282, 67},  {6283, 74},
    {6284, 78},  {6285, 76},  {6286, 79},  {6287, 6},   {6288, 22},  {6289, 35},  {6290, 48},  {6291, 58},
    {6292, 66},  {6293, 75},  {6294, 84},  {6295, 92},  {6296, 102}, {6297, 113}, {6298, 133}, {6301, 151},
    {6302, 16},  {6303, 122}, {6304, 94},  {6305, 158}, {6308, 7},   {6309, 24},  {6310, 129}, {6311, 20},
    {6312, 80},  {6313, 148}, {6314, 163}, {6315, 169},
};
// Legacy object id -> new OBJECT_CODE of the crib objects.
constexpr ObjectCode kCribObjects[] = {
    {4098, 261}, {4099, 1},   {4100, 3},   {4101, 4},   {4102, 5},   {4103, 12},  {4104, 13},  {4105, 14},
    {4106, 17},  {4107, 18},  {4108, 19},  {4109, 20},  {4110, 21},  {4111, 23},  {4112, 24},  {4113, 22},
    {4115, 25},  {4116, 26},  {4117, 27},  {4118, 28},  {4119, 262}, {4120, 29},  {4121, 31},  {4122, 37},
    {4123, 38},  {4124, 51},  {4125, 57},  {4126, 61},  {4127, 62},  {4128, 63},  {4129, 73},  {4130, 65},
    {4131, 66},  {4132, 75},  {4133, 69},  {4134, 76},  {4135, 77},  {4136, 70},  {4137, 72},  {4139, 79},
    {4140, 80},  {4141, 81},  {4142, 82},  {4143, 71},  {4144, 251}, {4145, 83},  {4146, 85},  {4147, 86},
    {4148, 87},  {4149, 93},  {4150, 94},  {4151, 97},  {4152, 98},  {4153, 99},  {4154, 100}, {4155, 101},
    {4156, 102}, {4157, 103}, {4158, 105}, {4159, 104}, {4161, 106}, {4162, 107}, {4163, 108}, {4164, 109},
    {4165, 120}, {4166, 121}, {4167, 142}, {4168, 113}, {4169, 119}, {4170, 116}, {4171, 115}, {4172, 196},
    {4173, 182}, {4174, 185}, {4175, 186}, {4176, 187}, {4177, 198}, {4178, 200}, {4179, 203}, {4180, 204},
    {4181, 205}, {4182, 206}, {4183, 207}, {4184, 208}, {4185, 209}, {4186, 212}, {4188, 215}, {4189, 216},
    {4190, 217}, {4191, 218}, {4192, 227}, {4193, 223}, {4194, 232}, {4195, 233}, {4196, 234}, {4197, 254},
    {4198, 257}, {4199, 265}, {4200, 268}, {4201, 269}, {4202, 270}, {4203, 275}, {4204, 276}, {4205, 288},
    {4206, 295}, {4208, 300}, {4209, 302}, {4210, 303}, {4211, 305}, {4212, 235}, {4213, 279}, {4214, 280},
    {4215, 304}, {4216, 330}, {4217, 328}, {4218, 327}, {4219, 334}, {4220, 333}, {4221, 10},  {4222, 49},
    {4223, 91},  {4224, 194}, {4225, 249}, {4226, 329}, {4227, 74},  {4228, 131}, {4229, 127}, {4230, 138},
    {4231, 139}, {4232, 150}, {4233, 147}, {4234, 117}, {4235, 151}, {4236, 332}, {4237, 339}, {4238, 338},
    {4239, 143}, {4240, 157}, {4241, 111}, {4242, 222}, {4243, 291}, {4244, 299}, {4245, 267}, {4246, 287},
    {4247, 294}, {4248, 293}, {4249, 292}, {4250, 274}, {4251, 214}, {4252, 213}, {4253, 210}, {4254, 298},
    {4255, 225}, {4256, 278}, {4257, 260}, {4258, 310}, {4259, 306}, {4260, 309}, {4261, 308}, {4262, 282},
    {4263, 271}, {4264, 281}, {4265, 285}, {4266, 297}, {4267, 296}, {4268, 284}, {4269, 211}, {4270, 224},
    {4271, 289}, {4272, 78},  {4273, 36},  {4274, 55},  {4275, 272}, {4276, 259}, {4277, 258}, {4278, 283},
    {4279, 56},  {4280, 35},  {4281, 152}, {4282, 153}, {4283, 154}, {4284, 156}, {4285, 128}, {4286, 130},
    {4287, 124}, {4288, 126}, {4289, 132}, {4290, 136}, {4291, 133}, {4292, 137}, {4293, 67},  {4294, 64},
    {4295, 144}, {4296, 145}, {4297, 184}, {4298, 199}, {4299, 33},  {4300, 53},  {4301, 178}, {4303, 177},
    {4304, 161}, {4305, 160}, {4306, 168}, {4307, 167}, {4308, 158}, {4309, 181}, {4310, 162}, {4311, 171},
    {4312, 165}, {4313, 172}, {4314, 175}, {4315, 176}, {4316, 173}, {4317, 174}, {4318, 179}, {4319, 180},
    {4320, 32},  {4321, 34},  {4322, 52},  {4323, 54},  {4324, 16},  {4325, 15},  {4326, 60},  {4327, 58},
    {4328, 96},  {4329, 95},  {4330, 264}, {4331, 263}, {4332, 202}, {4333, 201}, {4334, 170}, {4335, 169},
    {4336, 112}, {4337, 122}, {4338, 123}, {4339, 59},  {4340, 335}, {4341, 277}, {4342, 237}, {4343, 236},
    {4344, 231}, {4345, 230}, {4346, 256}, {4347, 255}, {4348, 301}, {4349, 228}, {4350, 252}, {4351, 226},
    {4352, 250}, {4353, 290}, {4354, 195}, {4355, 141}, {4356, 149}, {4357, 325}, {4358, 313}, {4359, 318},
    {4360, 323}, {4361, 322}, {4362, 319}, {4363, 311}, {4364, 320}, {4365, 312}, {4366, 324}, {4367, 326},
    {4368, 314}, {4369, 317},
};

// The legacy objects whose function became two new objects, and the code naming that pair.
constexpr ObjectCode kCompanionCodes[] = {{11, 18},    {32, 51},    {54, 89},    {104, 194},
                                          {162, 161},  {220, 117},  {4108, 19},  {4130, 65},
                                          {4154, 100}, {4182, 206}, {4202, 270}, {4317, 174}};

constexpr std::int32_t kNotMapped = -1;
constexpr std::int32_t kFullAccess = 7;

// The new code a legacy object is searched by; -1 (which no seeded object has) when not mapped.
std::int32_t CodeOf(std::span<const ObjectCode> map, std::int32_t legacyId) {
    const auto it =
        std::find_if(map.begin(), map.end(), [&](const ObjectCode& c) { return c.legacyId == legacyId; });
    return it == map.end() ? kNotMapped : it->newCode;
}

// Legacy 0 is no access and 7 full access; any other value leaves the new permission unset.
void SetPermission(db::Recordset& acl, const db::Value& legacyPermission) {
    const double permission = legacyPermission.AsDouble();
    if (permission == 0) acl.Set("PERMISSION_CODE", db::Value(0));
    if (permission == kFullAccess) acl.Set("PERMISSION_CODE", db::Value(1));
}

void AppendPermission(db::Recordset& acl, std::int32_t objectId, std::int32_t sid,
                      const db::Value& permission) {
    acl.AddNew();
    acl.Set("OBJECT_ID", db::Value(objectId));
    acl.Set("SID", db::Value(sid));
    SetPermission(acl, permission);
    acl.Update();
}

// Grants an object to a SID in the access rows at hand: a new row when the SID has none on the
// object yet, otherwise full access raises the existing row (a grant never lowers one). Only rows of
// the same SID count as existing, so that one holder's row never stands in for another's.
void Grant(db::Recordset& acl, std::int32_t objectId, std::int32_t sid, const db::Value& permission) {
    bool found = false;
    if (acl.RecordCount() != 0) {
        const std::string criterion = "OBJECT_ID = " + std::to_string(objectId);
        acl.MoveFirst();
        for (acl.Find(criterion); !acl.Eof() && !found;) {
            found = util::CLng(acl.Get("SID")) == sid;
            if (!found) {
                acl.MoveNext();
                acl.Find(criterion);
            }
        }
    }
    if (!found) {
        AppendPermission(acl, objectId, sid, permission);
    } else if (!permission.IsNull() && permission.AsDouble() == kFullAccess) {
        acl.Set("PERMISSION_CODE", db::Value(1));
        acl.Update();
    }
}

// The two new objects a legacy object's function became, each granted like the object itself.
void GrantCompanions(db::Recordset& acl, std::int32_t legacyObject, std::int32_t sid,
                     const db::Value& permission) {
    const std::int32_t companion = CodeOf(kCompanionCodes, legacyObject);
    if (companion == kNotMapped) return;
    std::int32_t first = -1, second = -1;
    core::GetObjectIds(companion, first, second);
    for (const std::int32_t objectId : {first, second})
        if (objectId != -1) Grant(acl, objectId, sid, permission);
}

// One product's legacy objects matched onto the seeded objects of its application.
TransferBody MatchObjects(int application, std::string productCondition, std::span<const ObjectCode> map) {
    return [=](core::Step& step, db::Dialect) {
        db::Recordset& seeded = step.OpenClient(
            "select * from T_SFC_OBJECT " + std::string(" where APP_CODE = ") + std::to_string(application));
        db::Recordset& legacy = step.OpenClient("select * from T_TRNK_OBJECT " +
                                                std::string(" where CATEGORY <> 0 ") + productCondition);
        TransferCounts counts;
        const std::int64_t total = legacy.RecordCount();
        for (; !legacy.Eof(); legacy.MoveNext()) {
            ++counts.read;
            seeded.MoveFirst();
            seeded.Find("OBJECT_CODE = " + std::to_string(CodeOf(map, util::CLng(legacy.Get("OBJECT_ID")))));
            if (!seeded.Eof()) {
                legacy.Set("SFC_ID", db::Value(util::CLng(seeded.Get("OBJECT_ID"))));
                legacy.Update();
                ++counts.written;
            } else {
                ++counts.skipped["the application has no new object for it"];
            }
            step.ShowProgress(counts.read, total);
        }
        return counts;
    };
}

// The crib administrators, who had no legacy group of their own, take the next legacy SID, and
// database item 2 the one after it: the first SID not yet given to anyone.
TransferCounts MigrateSIDs(core::Step& step, db::Dialect) {
    db::Recordset& group = step.OpenClient("select * from T_SFC_USERGROUP " +
                                           std::string(" where USERGROUP_TYPE_CODE = ") + "3");
    group.Set("SID", db::Value(core::GetNextSID()));
    group.Update();
    step.ShowPercent(50);
    db::Recordset& item =
        step.OpenClient("select * from T_SFC_DB_ITEM " + std::string(" where DB_ITEM_CODE = ") + "2");
    item.Set("DB_ITEM_VALUE", db::Value(core::GetNextSID()));
    item.Update();
    step.ShowPercent(100);
    TransferCounts counts;
    counts.read = 1;
    counts.written = 2;
    return counts;
}

std::int32_t NewGroupSid(core::Step& step, int groupType) {
    db::Recordset& group =
        step.OpenClient("select SID from T_SFC_USERGROUP " + std::string(" where USERGROUP_TYPE_CODE = ") +
                        std::to_string(groupType));
    const std::int32_t sid = util::CLng(group.Get("SID"));
    step.Close(group);
    return sid;
}

// Each product's administrators get full access to every object of its application.
TransferBody AdministratorPermissions(int groupType, int application) {
    return [=](core::Step& step, db::Dialect) {
        db::Recordset& group =
            step.OpenClient("select * from T_SFC_USERGROUP " + std::string(" where USERGROUP_TYPE_CODE = ") +
                            std::to_string(groupType));
        const std::int32_t sid = util::CLng(group.Get("SID"));
        db::Recordset& objects =
            step.OpenClient("select * from T_SFC_OBJECT " + std::string(" where APP_CODE = ") +
                            std::to_string(application) + " order by OBJECT_CODE");
        db::Recordset& acl = step.OpenServer("select * from T_SFC_ACL" + std::string(" where ACL_ID = 0"));
        TransferCounts counts;
        const std::int64_t total = objects.RecordCount();
        for (; !objects.Eof(); objects.MoveNext()) {
            ++counts.read;
            acl.AddNew();
            acl.Set("OBJECT_ID", db::Value(util::CLng(objects.Get("OBJECT_ID"))));
            acl.Set("SID", db::Value(sid));
            acl.Set("PERMISSION_CODE", db::Value(1));
            acl.Update();
            ++counts.written;
            step.ShowProgress(counts.read, total);
        }
        return counts;
    };
}

struct ObjectRange {
    std::int32_t low;
    std::int32_t high;  // exclusive
};

// " where SID = 1 and ((OBJECT_ID >= 6145 and OBJECT_ID < 6316)  or (...)) ": the legacy
// administrators' rows on objects of the other products.
std::string AdministratorCondition(const std::vector<std::int32_t>& sids,
                                   const std::vector<ObjectRange>& ranges) {
    std::string condition = sids.size() == 1 ? " where SID = " + std::to_string(sids[0])
                                             : " where (SID = " + std::to_string(sids[0]) +
                                                   " or SID = " + std::to_string(sids[1]) + ") ";
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        condition += (i == 0 ? " and ((OBJECT_ID >= " : " or (OBJECT_ID >= ") +
                     std::to_string(ranges[i].low) + " and OBJECT_ID < " + std::to_string(ranges[i].high) +
                     ")";
        condition += i + 1 == ranges.size() ? ") " : " ";
    }
    return condition;
}

// The SIDs of legacy groups, in the order the query gives them.
std::vector<std::int32_t> LegacyGroupSids(core::Step& step, const std::vector<int>& groups) {
    std::string sql = "select SID from T_TRNK_USERGROUP " + std::string(" where USERGROUP_ID = ") +
                      std::to_string(groups[0]);
    for (std::size_t i = 1; i < groups.size(); ++i) sql += " or USERGROUP_ID = " + std::to_string(groups[i]);
    db::Recordset& rs = step.OpenClient(sql);
    std::vector<std::int32_t> sids;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (i > 0) rs.MoveNext();
        sids.push_back(util::CLng(rs.Get("SID")));
    }
    step.Close(rs);
    return sids;
}

// What the legacy administrators of a product were allowed on the other products' objects, granted
// to the new administrators of that product. Every such object must have a new object.
TransferBody FinalizeAdministratorPermissions(std::vector<int> legacyGroups, std::vector<ObjectRange> ranges,
                                              int groupType) {
    return [=](core::Step& step, db::Dialect) {
        const std::string condition = AdministratorCondition(LegacyGroupSids(step, legacyGroups), ranges);
        const std::int32_t sid = NewGroupSid(step, groupType);
        Pass pass;
        pass.batches = Batches{"T_TRNK_ACL", "ACL_ID",
                               " and " + condition.substr(std::string(" where ").size()), condition};
        pass.destination = "T_SFC_ACL";
        pass.key = "ACL_ID";
        pass.destinationQuery =
            "select * from T_SFC_ACL " + std::string(" where SID = ") + std::to_string(sid);
        pass.writeBack = {WriteBack::Form::None};
        pass.writer = [sid](core::Step&) -> RowWriter {
            return [sid](TransferRow& row) {
                const db::Value& legacyObject = row.legacy.Get("OBJECT_ID");
                const db::Value& permission = row.legacy.Get("PERMISSION");
                Grant(row.destination, util::CLng(GetNewID("T_TRNK_OBJECT", "OBJECT_ID", legacyObject)), sid,
                      permission);
                GrantCompanions(row.destination, util::CLng(legacyObject), sid, permission);
                return true;
            };
        };
        return RunPass(step, pass);
    };
}

// Every other legacy permission, for the SID that held it; permissions on objects that have no new
// object are passed over.
TransferCounts MigratePermissions(core::Step& step, db::Dialect) {
    db::Recordset& groups =
        step.OpenClient("select * from T_TRNK_USERGROUP " + std::string(" where USERGROUP_ID >= 1") +
                        " and USERGROUP_ID <= 4");
    std::string administrators;
    for (; !groups.Eof(); groups.MoveNext())
        administrators += (administrators.empty() ? "" : ", ") + groups.Get("SID").AsText();
    step.Close(groups);
    Pass pass;
    pass.batches = Batches{"T_TRNK_ACL", "ACL_ID", " and SID NOT IN (" + administrators + ")",
                           " where SID NOT IN (" + administrators + ")"};
    pass.destination = "T_SFC_ACL";
    pass.key = "ACL_ID";
    pass.destinationQuery = "select * from T_SFC_ACL " + std::string(" where ACL_ID = 0");
    pass.writeBack = {WriteBack::Form::None};
    pass.writer = [](core::Step&) -> RowWriter {
        return [](TransferRow& row) {
            const db::Value& legacyObject = row.legacy.Get("OBJECT_ID");
            const db::Value objectId = GetNewID("T_TRNK_OBJECT", "OBJECT_ID", legacyObject);
            if (objectId.IsNull()) {
                row.skipReason = "its object has no new object";
                return false;
            }
            const std::int32_t sid = util::CLng(row.legacy.Get("SID"));
            const db::Value& permission = row.legacy.Get("PERMISSION");
            AppendPermission(row.destination, util::CLng(objectId), sid, permission);
            GrantCompanions(row.destination, util::CLng(legacyObject), sid, permission);
            return true;
        };
    };
    return RunPass(step, pass);
}

// Legacy object blocks of the products, as [low, high) ranges.
constexpr ObjectRange kTravelerBlock{1, 233}, kGageBlock{2049, 2231}, kToolBlock{4097, 4370},
    kMDCBlock{6145, 6316};

std::vector<BuiltTransfer> Declarations() {
    return {
        {"MigrateTravelersSecurityObjects", MatchObjects(1, " and PTYPE_ID = 40", kTravelersObjects)},
        {"MigrateMDCSecurityObjects", MatchObjects(2, " and PTYPE_ID = 43", kMDCObjects)},
        {"MigrateToolAndGageCribSecurityObjects",
         MatchObjects(3, " and (PTYPE_ID = 41 or PTYPE_ID = 42)", kCribObjects)},
        {"MigrateSIDs", MigrateSIDs},
        {"MigrateTravelersAdministratorPermissions", AdministratorPermissions(2, 1)},
        {"MigrateMDCAdministratorPermissions", AdministratorPermissions(1, 2)},
        {"MigrateTrackerAdministratorPermissions", AdministratorPermissions(3, 3)},
        {"FinalizeTravelersAdministratorPermissions",
         FinalizeAdministratorPermissions({1}, {kMDCBlock, kGageBlock, kToolBlock}, 2)},
        {"FinalizeMDCAdministratorPermissions",
         FinalizeAdministratorPermissions({4}, {kTravelerBlock, kGageBlock, kToolBlock}, 1)},
        {"FinalizeTrackerAdministratorPermissions",
         FinalizeAdministratorPermissions({2, 3}, {kTravelerBlock, kMDCBlock}, 3)},
        {"MigratePermissions", MigratePermissions},
    };
}

}  // namespace

const std::vector<BuiltTransfer>& SecurityTransfers() {
    static const std::vector<BuiltTransfer> transfers = Declarations();
    return transfers;
}

}  // namespace tmigration::transfer
