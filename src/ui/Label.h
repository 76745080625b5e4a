// Label: one text label of a window as the window system positions and draws it, measured in
// twips (1/1440 inch). A higher ZOrder is drawn on top.
#pragma once

#include <string>

namespace tmigration::ui {

struct Label {
    std::string Caption;
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    bool Visible = true;
    int ZOrder = 0;

    bool operator==(const Label&) const = default;
};

}  // namespace tmigration::ui
