#include "ui/TerminalProgressRenderer.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "ui/frmProgress.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tmigration::ui {
namespace {

constexpr const char* kClearLine = "\x1b[2K";

std::string PadLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

bool IsInteractiveTerminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

TerminalProgressRenderer::TerminalProgressRenderer(std::ostream& out, Mode mode, int barColumns)
    : out_(out), mode_(mode), barColumns_(std::max(barColumns, 1)) {}

std::unique_ptr<ProgressRenderer> TerminalProgressRenderer::ForStandardError() {
    const Mode mode = IsInteractiveTerminal(stderr) ? Mode::InPlace : Mode::Lines;
    return std::make_unique<TerminalProgressRenderer>(std::cerr, mode);
}

ProgressRendererFactory TerminalProgressRenderer::StandardErrorFactory() {
    return &ForStandardError;
}

void TerminalProgressRenderer::ProcessMessages(const frmProgress& window) {
    if (!window.Visible()) return;
    if (mode_ == Mode::InPlace)
        DrawInPlace(window);
    else
        DrawLine(window);
}

// A bar is as full as its label is wide compared with the percentage label lying over it.
std::string TerminalProgressRenderer::Bar(const Label& bar, const Label& percent) const {
    if (!percent.Visible) return std::string(static_cast<std::size_t>(barColumns_) + 7, ' ');
    double fraction = bar.Visible && percent.Width > 0 ? bar.Width / percent.Width : 0.0;
    fraction = std::clamp(fraction, 0.0, 1.0);
    const auto filled = static_cast<std::size_t>(std::lround(fraction * barColumns_));
    return "[" + std::string(filled, '#') + std::string(static_cast<std::size_t>(barColumns_) - filled, '.') +
           "] " + PadLeft(percent.Caption, 4);
}

void TerminalProgressRenderer::DrawInPlace(const frmProgress& window) {
    const std::string title = window.lblOverall().Caption + " ";
    std::vector<std::string> lines = {
        window.lblInfo().Caption,
        title + Bar(window.lblOverallProgress(), window.lblOverallPercent()),
        std::string(title.size(), ' ') + Bar(window.lblProgress(), window.lblPercent()),
    };
    if (lines == drawn_) return;
    if (!drawn_.empty()) out_ << "\x1b[" << drawn_.size() << "F";  // back to the first line drawn
    for (const auto& line : lines) out_ << kClearLine << line << '\n';
    out_.flush();
    drawn_ = std::move(lines);
}

void TerminalProgressRenderer::DrawLine(const frmProgress& window) {
    const std::string& info = window.lblInfo().Caption;
    if (info.empty() || info == lastInfo_) return;
    lastInfo_ = info;
    const Label& overall = window.lblOverallPercent();
    out_ << "[" << PadLeft(overall.Visible ? overall.Caption : "", 4) << "] " << info << '\n';
    out_.flush();
}

}  // namespace tmigration::ui
