// Text helpers shared by every layer: trimming blanks and comparing without regard to case, the
// way names of tables, columns, keys and providers are compared throughout the suite. Only ASCII
// letters fold; other bytes compare as they are. Stands on the standard library alone, so that the
// data access layer can use it too.
#pragma once

#include <string>
#include <string_view>

namespace tmigration::util {

// Blanks are spaces, tabs, carriage returns, line feeds, form feeds and vertical tabs.
bool IsBlank(char c);
// The text without the blanks at either end.
std::string_view Trim(std::string_view text);

std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);

// Negative, zero or positive as `a` sorts before, with or after `b`, byte by byte (unsigned), a
// shorter text before a longer one it begins; IgnoringCase folds ASCII letters to upper case first.
int CompareIgnoringCase(std::string_view a, std::string_view b);
int CompareExact(std::string_view a, std::string_view b);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace tmigration::util
