// Fuzzes whole sessions on the rules alone: the input types short texts into the boxes
// and chooses a run of menu commands, as a user at the keyboard could. After every solve
// the boxes must hold the typed equation in lowest integer terms, the discriminant line
// must be exact and the rational roots shown must satisfy that integer equation; after
// every test the boxes must hold the typed fractions in lowest terms and the value shown
// must be A·X² + B·X + C of them. The board is worked out, steps and graph, at the end of
// the session and wherever the input asks for it: its roots must be roots and its points
// inside its view box. A broken rule traps, and so does an input slower than
// 100 ms twice. At the end of a run the slowest input is reported, in CPU time of the
// thread (waiting for a busy core does not count).
#include "session.h"

#include "tests/board_checks.h"

#include "fractions/numbers.h"
#include "tutor/exact.h"
#include "tutor/tutor.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include <time.h>

namespace {

using Wide = __int128;

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// --- Reading the screen -----------------------------------------------------------

// A box that must hold a whole number of the integer form.
Wide whole_box(const tutor::Control& box) {
    double value = 0;
    try {
        value = fractions::read_number(box.text);
    } catch (const std::overflow_error&) {
        check(false);
    }
    check(std::floor(value) == value && std::fabs(value) < 9007199254740992.0);
    return static_cast<Wide>(static_cast<long long>(value));
}

// A signed whole-number text as the window writes it: " 12" or "-12".
bool parse_signed(std::string_view text, Wide& value) {
    if (text.size() < 2 || (text[0] != ' ' && text[0] != '-'))
        return false;
    Wide v = 0;
    for (char c : text.substr(1)) {
        if (c < '0' || c > '9' || v > Wide(1000000000) * 1000000000)
            return false;
        v = v * 10 + (c - '0');
    }
    value = text[0] == '-' ? -v : v;
    return true;
}

// A fraction text: "0", " p" or " p/ q" (signed texts).
bool parse_fraction(std::string_view text, Wide& p, Wide& q) {
    if (text == "0") {
        p = 0;
        q = 1;
        return true;
    }
    const std::size_t slash = text.find('/');
    q = 1;
    if (slash != std::string_view::npos && !parse_signed(text.substr(slash + 1), q))
        return false;
    return parse_signed(text.substr(0, slash), p);
}

using tutor::exact::gcd;
using tutor::exact::magnitude;

struct Root {
    bool rational = false;
    Wide p = 0;
    Wide q = 1;
};

// A root caption that shows a fraction: " X1=" followed by the reduced fraction,
// with no square-root or complex expression.
Root rational_root(const tutor::Control& label, const char* prefix) {
    const std::string& caption = label.text;
    Root root;
    const std::string_view head(prefix);
    if (caption.compare(0, head.size(), head) != 0 ||
        caption.find_first_of("[(") != std::string::npos)
        return root;
    check(parse_fraction(std::string_view(caption).substr(head.size()), root.p, root.q));
    root.rational = true;
    return root;
}

// --- The rules -------------------------------------------------------------------

// The eight boxes before a command.
struct Typed {
    std::string texts[8];
};

Typed typed_boxes(const tutor::Tutor& w) {
    Typed t;
    for (int i = 0; i < 8; ++i)
        t.texts[i] = w.screen()[tutor::boxes[i]].text;
    return t;
}

// A typed coefficient as the solve takes it: read, then the nearest 16-bit integer.
Wide typed_whole(const std::string& text) {
    try {
        return fractions::to_int16(fractions::read_number(text));
    } catch (const std::overflow_error&) {
        // The solve reached its integer form, so it took every box without a failure.
        check(false);
    }
    return 0;
}

Wide sign(Wide v) {
    return (v > 0) - (v < 0);
}

// A solve outside compose mode that wrote its discriminant line has written the
// integer form into the boxes: the typed equation multiplied by a positive factor,
// in lowest terms, and the discriminant line is B² − 4·A·C of that form.
void check_integer_form(const tutor::Tutor& w, const Typed& typed) {
    const std::string line = w.screen()[tutor::DetLabel].text;
    const std::size_t equals = line.find("= ");
    if (line.rfind(" Determinant", 0) != 0 || equals == std::string::npos)
        return;
    const Wide a = whole_box(w.screen()[tutor::textAN]), b = whole_box(w.screen()[tutor::TextBN]),
               c = whole_box(w.screen()[tutor::TextCN]);
    Wide t[6];
    for (int i = 0; i < 6; ++i)
        t[i] = typed_whole(typed.texts[i]);
    const Wide an = t[0], ad = t[1], bn = t[2], bd = t[3], cn = t[4], cd = t[5];
    if (ad != 0 && bd != 0 && cd != 0) {
        // The typed coefficients over the common denominator ad·bd·cd.
        const Wide alpha = an * bd * cd, beta = bn * ad * cd, gamma = cn * ad * bd;
        const Wide s = sign(ad * bd * cd);
        check(a * beta == b * alpha && a * gamma == c * alpha && b * gamma == c * beta);
        if (alpha != 0)
            check(sign(a) == sign(alpha) * s);
        else if (beta != 0)
            check(sign(b) == sign(beta) * s);
        else if (gamma != 0)
            check(sign(c) == sign(gamma) * s);
        if (a != 0 || b != 0 || c != 0)
            check(gcd(gcd(a, b), c) == 1);
    }
    // The discriminant, exact while it is shown without an exponent.
    const Wide delta = b * b - 4 * a * c;
    const std::string_view shown = std::string_view(line).substr(equals + 2);
    Wide value = 0;
    if (magnitude(delta) < Wide(1000000000) * 1000000)
        check(parse_signed(shown, value) && value == delta);
    else
        check(shown.find('E') != std::string_view::npos);
}

void check_roots(const tutor::Tutor& w) {
    const Root x1 = rational_root(w.screen()[tutor::LabelX1], " X1=");
    const Root x2 = rational_root(w.screen()[tutor::LabelX2], " X2=");
    if (!x1.rational && !x2.rational)
        return;
    const Wide a = whole_box(w.screen()[tutor::textAN]);
    const Wide b = whole_box(w.screen()[tutor::TextBN]);
    const Wide c = whole_box(w.screen()[tutor::TextCN]);
    check(a != 0);
    for (const Root& r : {x1, x2}) {
        if (!r.rational)
            continue;
        // Lowest terms with a positive denominator, and a root of A·x² + B·x + C.
        check(r.q > 0 && gcd(r.p, r.q) == 1);
        check(a * r.p * r.p + b * r.p * r.q + c * r.q * r.q == 0);
    }
    if (x1.rational && x2.rational) {
        // Both roots together: B = −A·(x1 + x2) and C = A·x1·x2, so that a double
        // root is shown twice and two different roots once each.
        check(b * x1.q * x2.q == -a * (x1.p * x2.q + x2.p * x1.q));
        check(c * x1.q * x2.q == a * x1.p * x2.p);
    }
}

// After a test that ended without a message: every row is rewritten as the same
// fraction in lowest terms, and DetLabel shows F(X)=value with value A·X² + B·X + C
// of those fractions.
void check_test(const tutor::Tutor& w, const Typed& typed, int beeps) {
    Wide n[4], d[4];
    for (int row = 0; row < 4; ++row) {
        n[row] = whole_box(w.screen()[tutor::boxes[2 * row]]);
        d[row] = whole_box(w.screen()[tutor::boxes[2 * row + 1]]);
        const Wide typed_n = typed_whole(typed.texts[2 * row]);
        const Wide typed_d = typed_whole(typed.texts[2 * row + 1]);
        check(d[row] > 0 && gcd(n[row], d[row]) == 1 && n[row] * typed_d == typed_n * d[row]);
    }
    const Wide an = n[0], ad = d[0], bn = n[1], bd = d[1], cn = n[2], cd = d[2];

    const std::string line = w.screen()[tutor::DetLabel].text;
    check(line.rfind("F(", 0) == 0);
    const std::size_t close = line.find(")=");
    check(close != std::string::npos);
    Wide xn = 0, xd = 1, fn = 0, fd = 1;
    check(parse_fraction(std::string_view(line).substr(2, close - 2), xn, xd));
    check(parse_fraction(std::string_view(line).substr(close + 2), fn, fd));
    check(fd > 0 && gcd(fn, fd) == 1);
    check(xn == n[3] && (xn == 0 || xd == d[3]));

    const Wide den = ad * bd * cd * xd * xd * xd;
    const Wide num =
        an * xn * xn * xd * bd * cd + bn * xn * ad * xd * xd * cd + cn * ad * xd * xd * xd * bd;
    check(fn * den == num * fd);
    check((fn == 0) == (beeps > 0));
}

class User : public tutor::Platform {
  public:
    User() : tutor_(*this) {}

    void message(tutor::Icon, const std::string& title, const std::string& prompt) override {
        check(!title.empty() && !prompt.empty());
        ++messages_;
    }
    void beep() override { ++beeps_; }

    void type(int index, const std::string& text) {
        const tutor::ControlId box = tutor::boxes[index];
        if (tutor_.screen()[box].visible)
            tutor_.type(box, text);
    }

    // Runs the command and checks every rule that holds after it.
    void choose(tutor::Command command) {
        using tutor::Command;
        if (!tutor_.screen()[command].enabled)
            return;
        const Typed typed = typed_boxes(tutor_);
        const int messages = messages_;
        const bool composing = tutor_.compose_mode != 0;
        beeps_ = 0;
        tutor_.run(command);
        switch (command) {
        case Command::Analizza:
            if (!composing)
                check_integer_form(tutor_, typed);
            check_roots(tutor_);
            break;
        case Command::Test:
            if (messages_ == messages)
                check_test(tutor_, typed, beeps_);
            break;
        case Command::Credits:
            check(messages_ == messages + 1);
            break;
        default:
            break;
        }
        // Only the test command beeps, and only at a root.
        check(beeps_ == 0 || command == Command::Test);
    }

    // Works out the board of the last solve that ran to its end, in the window's language:
    // its roots must be roots, its F(X) the main window's, and its points lie in its view box. No
    // solve leaves a board that cannot be worked out, so an exception here is a crash. (fuzz_board
    // checks every equality of the steps, on arbitrary equations.)
    void work_board() {
        const tutor::Board& board = tutor_.screen().board;
        if (!board.equation)
            return;
        const tutor::ExactSolution solution = tutor::solve_exactly(*board.equation, board.tested);
        check(!tutor::board_steps(&solution, tutor_.language, board.interrupted).empty());
        const tutor::Graph graph = tutor::board_graph(solution, tutor_.language);
        check(!graph.points.empty());
        // F(X) on the board is the main window's.
        if (board.tested)
            check(solution.tested->value == tutor::exact::Rational(board.tested->value));
        board_checks::check_roots(solution);
        board_checks::check_view_box(graph);
    }

  private:
    tutor::Tutor tutor_;
    int messages_ = 0;
    int beeps_ = 0;
};

// An input slower than this, in CPU time of the thread, is run once more: slower again
// is a fault of the input; faster is the sanitizers' or the machine's hiccup (a page of
// new memory, the allocator's quarantine), which a 30-minute run meets now and then.
constexpr double slow_ms = 100;
double slowest_ms = 0;
double slowest_again_ms = 0;

double thread_cpu_ms() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double play(const std::uint8_t* data, std::size_t size) {
    const double start = thread_cpu_ms();
    session::Bytes in(data, size);
    // A fresh start for every input, so that every input reproduces alone.
    User user;
    session::play(in, user, 64, true);
    return thread_cpu_ms() - start;
}

void report_slowest() {
    std::fprintf(stderr, "slowest input: %.1f ms of CPU time", slowest_ms);
    if (slowest_again_ms > 0)
        std::fprintf(stderr, "; the slowest of those over %.0f ms, run again: %.1f ms", slow_ms,
                     slowest_again_ms);
    std::fprintf(stderr, "\n");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit(report_slowest);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const double took = play(data, size);
    slowest_ms = std::max(slowest_ms, took);
    if (took > slow_ms) {
        const double again = play(data, size);
        slowest_again_ms = std::max(slowest_again_ms, again);
        check(again <= slow_ms);
    }
    return 0;
}
