#include "core/NumberText.h"

#include "util/VbConversions.h"

namespace tmigration::core {

bool IsValidDecimal(int integerDigits, int fractionDigits, const std::string& text,
                    const util::NumberFormat& locale) {
    if (text.empty()) return true;
    if (!util::IsNumeric(text, locale)) return false;
    const std::string written = util::FormatNumber(util::Val(text), locale);
    const auto separator = written.find(locale.decimalSeparator);
    std::string integerPart = written.substr(0, separator);
    const std::string fractionPart = separator == std::string::npos
                                         ? std::string()
                                         : written.substr(separator + locale.decimalSeparator.size());
    if (integerPart.compare(0, locale.negativeSign.size(), locale.negativeSign) == 0)
        integerPart.erase(0, locale.negativeSign.size());
    return static_cast<int>(integerPart.size()) <= integerDigits &&
           static_cast<int>(fractionPart.size()) <= fractionDigits;
}

bool IsValidDecimal(int integerDigits, int fractionDigits, const std::string& text) {
    return IsValidDecimal(integerDigits, fractionDigits, text, util::UserNumberFormat());
}

std::string GetDecimalSeparator() {
    return util::UserNumberFormat().decimalSeparator;
}
std::string GetNegativeSign() {
    return util::UserNumberFormat().negativeSign;
}

int SplitSemicolonList(const std::string& text, std::vector<std::string>& pieces) {
    pieces.clear();
    if (text.empty()) return 0;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find(';', start);
        pieces.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return static_cast<int>(pieces.size());
}

}  // namespace tmigration::core
