// CribColumns: the column rules the crib and traveler transfers share (yes/no texts, units by id
// and by text, serial numbers, reference flags, polymorphic targets) and the vendor slots of a
// catalog number. Each is a short declaration over the transfer engine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "transfer/TransferDecl.h"

namespace tmigration::transfer {

// One pass of the common pattern: query, destination and its key, columns.
Pass MakePass(std::string query, std::string_view destination, std::string_view key,
              std::vector<Column> columns);

// The legacy text upper-cased and compared with "YES": 1 when equal, else 0; Null gives `whenNull`.
Column YesNo(std::string_view destination, std::string_view source, int whenNull);

// UNIT_CODE from UNITS_ID: inches 0, millimetres 1, Null stays Null, other ids leave it unset.
Column UnitsById();

// UNIT_CODE from the UNITS text, upper-cased and looked up in the list of unit names; Null or a
// name not in the list leaves it unset.
Column UnitsByText();

// IS_REQUIRED: Null or the text "NO" give 0, anything else 1.
Column Required();

// SERIAL_NO: the legacy serial number as text without its leading character. Null or an empty
// serial number cannot be shortened and fails the transfer.
Column SerialNumber();

// REFERENCE_SF from a text flag: "YES" 1, "NO" 0, Null 1, any other text leaves it unset.
Column ReferenceFlag(std::string_view source);

// A polymorphic reference: the legacy table id chooses the new table code and the legacy table
// through which the target is translated. Any other table id leaves both columns unset; a Null
// table id gives Null to both when `nullGivesNull`, and fails the transfer otherwise.
struct PolymorphicTarget {
    std::int64_t legacyTableId;
    std::int64_t tableCode;
    std::string_view table;  // the legacy table of the target
    std::string_view key;    // its key column
};
std::vector<Column> Polymorphic(std::string_view codeColumn, std::string_view targetColumn,
                                std::string_view legacyTableColumn, std::string_view legacyTargetColumn,
                                std::vector<PolymorphicTarget> targets, bool nullGivesNull);

// Up to three vendor catalog entries per catalog number, appended to T_SFC_VENDOR_INFO with the
// owner's table code once the number row is written, one for each filled legacy vendor slot.
void AddVendorSlots(Pass& pass, std::int64_t ownerTableCode);

}  // namespace tmigration::transfer
