// The rules of Quadratic Tutor without a window: the working state, the picture of what
// every control shows (its Screen), and every command and shared method. The commands
// write the picture step by step, so a failure part-way leaves the earlier writes, as on
// screen. Message boxes and the beep leave through a Platform at the moment they happen.
//
// The methods are defined in the file of their subject: the window's own commands in
// tutor.cpp, the solve (entry, integer form, roots, parabola, compose) in solve.cpp,
// the value of the polynomial at X in value_at_x.cpp.
#pragma once

#include "board.h"
#include "screen.h"
#include "vocabulary.h"

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tutor {

enum class Icon { Information, Warning, Stop };

// Message boxes and the beep. A window shows them, after bringing the widgets up to
// date with everything written so far; a test records them.
class Platform {
  public:
    // A modal box with an OK button alone; returns when it has been closed. The lines
    // of the prompt are joined by a lone carriage return.
    virtual void message(Icon icon, const std::string& title, const std::string& prompt) = 0;
    virtual void beep() = 0;

  protected:
    ~Platform() = default;
};

class Tutor {
  public:
    // The window's start: the design picture, then the load handling (Form_Load),
    // which seeds the generator from the time of day and draws the colours.
    explicit Tutor(Platform& platform);

    // What every control and menu item shows now.
    const Screen& screen() const { return screen_; }
    // The user typed into a box.
    void type(ControlId box, std::string text) { screen_[box].text = std::move(text); }

    // Runs the command of a menu item.
    void run(Command command);

    // --- Commands: the click handlers of the menu items. ---
    void Analizza_Click();
    void Componi_Click();
    void Credits_Click();
    void Frazioni_Click();
    void Lingua_Click();
    void Test_Click();
    // Brings up the board.
    void Lavagna_Click();

    // --- Shared methods: results are left in the working state. ---
    void clear_caption();
    void mostra_frazione(std::int16_t n, std::int16_t d);
    void geometria();
    void check_fraction();
    void simple_fraction(std::int16_t n, std::int16_t d);
    void Colors();

    // Seeds the generator behind the colour scheme and the credits box.
    void seed_random(float seed);
    // The next pseudo-random number, 0 <= u < 1.
    float next_random();

    // --- Working state. ---
    std::uint32_t scheme_dark = 0; // 0x00BBGGRR
    std::int16_t language = 0;     // 0 Italian, anything else English
    std::int16_t reduced_num = 0;
    std::int16_t reduced_den = 0;
    double a_num = 0;
    double a_den = 0;
    double b_num = 0;
    double b_den = 0;
    double c_num = 0;
    std::int16_t c_den = 0;
    std::int16_t compose_mode = 0; // 0 off, -1 on
    std::string fraction_text;

  protected:
    // The picture the commands write; a test probe may set it up directly.
    Screen screen_;

  private:
    void Form_Load();

    // The stop box of a failed command: the title names the failure.
    void show_failure(const std::exception& failure);
    // The warning box of refused input.
    void show_warning(const Bilingual& prompt);
    // The text of the pair in the current language: Italian for language 0.
    const char* say(const Bilingual& text) const;

    // Steps of the solve command.
    void read_rows_a_b();
    void read_row_c();
    // The zero check of the solve and, with X's denominator, of the test: refuses
    // with the warning box when A's numerator or a denominator is 0 or becomes 0.
    bool zero_check_passes(const Bilingual& refusal, double x_den = 1);
    void reduce_coefficients();
    void solve_integer_form();
    void set_compose_layout(bool compose);
    void compose_branch();
    void write_roots(double a, double b, double c);
    void set_heading_tooltips();
    // Keeps the solve that has just run to its end for the board.
    void keep_for_board(fractions::Fraction a, fractions::Fraction b, fractions::Fraction c);
    // The board keeps its equation and says that this solve did not run to its end.
    void interrupt_board(Interruption interruption);
    // Adds to `out` the boxes, of those given, whose text reads as another value: as a
    // 16-bit whole number for a coefficient, as it reads for a root to compose (`roots`).
    void note_read_otherwise(std::vector<ReadOtherwise>& out,
                             std::initializer_list<ControlId> boxes, bool roots = false) const;

    // Box reading and writing: the numeric-prefix reading of a box's text, and the
    // plain number text written into a box.
    double read_box(ControlId box) const;
    void write_box(ControlId box, double value);

    // The roots of the equation that compose mode is solving, for the board, and their
    // boxes read otherwise than typed.
    std::optional<fractions::Fraction> composed_a_, composed_b_;
    std::vector<ReadOtherwise> composed_read_otherwise_;
    // The boxes of the solve running that it read otherwise than typed.
    std::vector<ReadOtherwise> read_otherwise_;

    Platform& platform_;
    std::mt19937 generator_;
};

// The signed number text of a value (" 5", "-5", " .5").
std::string number_text(double value);

} // namespace tutor
