// Number and list texts as the legacy data holds them: whether a text is a decimal number that
// fits a column's integer and fraction digits (judged in the user's locale), the locale's decimal
// separator and negative sign, and the pieces of a ";"-separated list.
#pragma once

#include <string>
#include <vector>

#include "util/LocaleNumbers.h"

namespace tmigration::core {

// Empty text: true. Not numeric: false. Otherwise the leading number, written in the locale,
// must have at most integerDigits before its decimal separator (sign aside) and at most
// fractionDigits after it.
bool IsValidDecimal(int integerDigits, int fractionDigits, const std::string& text);
bool IsValidDecimal(int integerDigits, int fractionDigits, const std::string& text,
                    const util::NumberFormat& locale);

std::string GetDecimalSeparator();
std::string GetNegativeSign();

// Fills `pieces` with the texts between ";" characters, in order, and returns their count. An
// empty text gives none; a trailing ";" gives a last empty piece; pieces are not trimmed.
int SplitSemicolonList(const std::string& text, std::vector<std::string>& pieces);

}  // namespace tmigration::core
