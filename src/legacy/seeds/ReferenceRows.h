// The reference rows a freshly installed legacy suite holds, as data. Each seeded table reserves
// the identifiers 1..512: identifier k holds defined row k while there is one, and a reserved
// filler row after that, so rows added by later releases land on known identifiers. The number of
// defined rows is the table's revision, recorded in the Common version row.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tmigration::legacy {

struct SeededTable {
    std::string_view table;                  // "T_TRNK_STATUS"
    std::string_view key;                    // "STATUS_ID"
    std::int16_t columns;                    // seeded columns after the key, in table order
    std::span<const std::string_view> rows;  // defined rows; identifier k is rows[k - 1]
    std::string_view reservedPrefix;         // reserved filler row for identifier i: prefix & i & suffix
    std::string_view reservedSuffix;
    std::string_view progressText;    // "Filling Old Status Table..."
    std::string_view revisionColumn;  // the Common row's marker column ("RESERVED2")

    std::int32_t Revision() const { return static_cast<std::int32_t>(rows.size()); }
    std::string RevisionText() const { return std::to_string(rows.size()); }
    // The row text written for identifier `id` when the table is created.
    std::string RowText(std::int32_t id) const;
};

// Every seeded table reserves this block of identifiers.
inline constexpr std::int32_t kReferenceBlock = 512;

const SeededTable& PTypeSeed();  // PTYPE_NAME only: its texts are names, not delimited rows
const SeededTable& StatusSeed();
const SeededTable& SubtypeSeed();
const SeededTable& CommandSeed();
const SeededTable& DowntimeSeed();
const SeededTable& ScrapCodeSeed();

// Rows of T_TRNK_USERTYPE, written with their identifiers: the text after "VALUES(" & id.
std::span<const std::string_view> UserTypeValues();
// The four administrator groups, in SID order (Traveler 1, Gage 2, Tool 3, MDC 4).
std::span<const std::string_view> AdministratorGroups();

// API functions 1..344 are each recorded with version 1.
inline constexpr std::int32_t kApiFunctionCount = 344;
inline constexpr std::string_view kApiFunctionRevision = "344";

}  // namespace tmigration::legacy
