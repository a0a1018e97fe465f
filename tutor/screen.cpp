#include "screen.h"

#include "commands.h"

#include <cstring>

namespace tutor {

Screen::Screen() {
    for (const ControlInfo& info : tutor::controls) {
        Control& c = controls[info.id];
        c.text = info.text;
        c.tooltip = info.tooltip;
        c.visible = info.visible;
        c.colour = info.colour;
    }
    for (const CommandInfo& info : commands)
        (*this)[info.command].caption = info.caption.italian;
}

ControlId control_id(const char* name) {
    for (const ControlInfo& info : controls)
        if (std::strcmp(info.name, name) == 0)
            return info.id;
    return control_count;
}

} // namespace tutor
