// What the window shows, control by control, without the window: the captions, texts,
// tooltips, colours and visibility that the commands write, and the menu items. A view
// mirrors this picture onto real widgets; tests and fuzzers read it directly.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace tutor {

struct Control {
    std::string text; // a label's caption or a box's text; commands write it with write()
    std::string tooltip;
    bool visible = true;
    std::uint32_t colour = 0;     // text colour, 0x00BBGGRR
    std::uint32_t background = 0; // 0x00BBGGRR
    // Counts the commands' writes of the text, so that a view can tell what a command
    // wrote even where the text stayed the same: a box's cursor moves to its end, and a
    // result line solved again is new to a screen reader.
    std::uint32_t writes = 0;

    void write(std::string new_text) {
        text = std::move(new_text);
        ++writes;
    }
};

struct MenuItem {
    std::string caption;
    bool enabled = true;
};

// Every control under its own name, front to back as they are stacked.
struct Screen {
    Control TextXD, TextXN, TextCD, TextCN, TextBD, TextBN, TextAD, textAN;
    Control Line1, LabelBeta2, Labelalfa2, LabelBeta, LabelAlfa, CompLabel, ResLabel, Line3;
    Control LabelX, Label2, LabelD, LabelV, LabelF, LabelX2, LabelX1, DetLabel, Line2;
    Control Label5, Label4, Label3, LabelC, LabelB, LabelA, Label1;

    MenuItem Analizza, Componi, Frazioni, Test, Credits, Lingua;

    std::uint32_t background = 0; // the window's own, 0x00BBGGRR

    Screen();
};

struct NamedControl {
    const char* name;
    Control Screen::*control;
};

// The 32 controls by name, front to back.
extern const NamedControl controls[32];

struct NamedMenuItem {
    const char* name;
    MenuItem Screen::*item;
};

// The eight boxes in tab order: the rows A, B, C and X, numerator before denominator.
extern const NamedControl boxes[8];

// The menu bar, left to right.
extern const NamedMenuItem menu_items[6];

// The position in `controls` of the control of that name, or -1.
int index_of(const char* name);

} // namespace tutor
