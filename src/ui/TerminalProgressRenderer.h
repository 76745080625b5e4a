// TerminalProgressRenderer: draws the progress window as text for a command-line host. On an
// interactive terminal the information line and both bars are redrawn in place; into a pipe or
// file one plain line is written per new information line, led by the overall percentage.
#pragma once

#include <cstdio>
#include <iosfwd>
#include <string>
#include <vector>

#include "ui/Label.h"
#include "ui/ProgressRenderer.h"

namespace tmigration::ui {

class TerminalProgressRenderer : public ProgressRenderer {
  public:
    enum class Mode { InPlace, Lines };

    explicit TerminalProgressRenderer(std::ostream& out, Mode mode, int barColumns = 40);

    // Renderers on standard error: in place when it is a terminal, plain lines otherwise.
    static std::unique_ptr<ProgressRenderer> ForStandardError();
    static ProgressRendererFactory StandardErrorFactory();

    void ProcessMessages(const frmProgress& window) override;

  private:
    std::string Bar(const Label& bar, const Label& percent) const;
    void DrawInPlace(const frmProgress& window);
    void DrawLine(const frmProgress& window);

    std::ostream& out_;
    Mode mode_;
    int barColumns_;
    std::vector<std::string> drawn_;  // lines on screen (in place)
    std::string lastInfo_;            // last information line written (lines)
};

// True when the stream is an interactive terminal.
bool IsInteractiveTerminal(std::FILE* stream);

}  // namespace tmigration::ui
