#include "util/Text.h"

namespace tmigration::util {
namespace {

unsigned char FoldUpper(unsigned char c) {
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}
unsigned char FoldLower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

template <class Fold>
int Compare(std::string_view a, std::string_view b, Fold fold) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = fold(static_cast<unsigned char>(a[i]));
        const unsigned char y = fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <class Fold>
std::string Mapped(std::string_view text, Fold fold) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(fold(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string ToUpper(std::string_view text) {
    return Mapped(text, FoldUpper);
}

std::string ToLower(std::string_view text) {
    return Mapped(text, FoldLower);
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    return Compare(a, b, FoldUpper);
}

int CompareExact(std::string_view a, std::string_view b) {
    return Compare(a, b, [](unsigned char c) { return c; });
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace tmigration::util
