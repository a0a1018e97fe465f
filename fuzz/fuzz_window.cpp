// Fuzzes the whole window: the input types short texts into the boxes and chooses a
// run of menu commands, as a user at the keyboard could. Message boxes and beeps are
// recorded by the probe instead of shown. After every solve the boxes must hold the
// typed equation in lowest integer terms, the discriminant line must be exact and
// the rational roots on screen must satisfy that integer equation; after every test
// the boxes must hold the typed fractions in lowest terms and the value on screen
// must be A·X² + B·X + C of them. A broken rule traps.
#include "tests/window_probe.h"

#include "fractions/numbers.h"

#include <QApplication>
#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

using Wide = __int128;

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// The input, consumed byte by byte; an exhausted input reads zeros.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Short texts from the characters that matter to the reading rule, and now and then
// a raw byte.
QString make_text(Bytes& in) {
    static const char* const pieces[] = {"0", "1", "2", "3", "4", "5",  "6", "7",
                                         "8", "9", ".", "-", "E", "&H", " ", "/"};
    constexpr int piece_count = sizeof pieces / sizeof pieces[0];
    std::string text;
    const int length = in.next() % 7;
    for (int i = 0; i < length; ++i) {
        const int choice = in.next() % (piece_count + 2);
        if (choice < piece_count)
            text += pieces[choice];
        else
            text += static_cast<char>(in.next());
    }
    return QString::fromLatin1(text.data(), static_cast<int>(text.size()));
}

constexpr const char* box_names[] = {"textAN", "TextAD", "TextBN", "TextBD",
                                     "TextCN", "TextCD", "TextXN", "TextXD"};

// A user can only type into a box that is shown.
void type_if_shown(WindowProbe& w, const char* name, const QString& text) {
    QLineEdit* box = w.box(name);
    if (!box->isHidden())
        box->setText(text);
}

// --- Reading the screen ---------------------------------------------------------

// A box that must hold a whole number of the integer form.
Wide whole_box(WindowProbe& w, const char* name) {
    const QByteArray text = w.text(name).toUtf8();
    double value = 0;
    try {
        value = fractions::read_number(std::string_view(text.constData(), text.size()));
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

Wide magnitude(Wide v) {
    return v < 0 ? -v : v;
}

Wide gcd(Wide a, Wide b) {
    a = magnitude(a);
    b = magnitude(b);
    while (b != 0) {
        const Wide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

struct Root {
    bool rational = false;
    Wide p = 0;
    Wide q = 1;
};

// A root caption that shows a fraction: " X1=" followed by the reduced fraction,
// with no square-root or complex expression.
Root rational_root(WindowProbe& w, const char* label, const char* prefix) {
    const std::string caption = w.caption(label).toStdString();
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
    QString texts[8];
};

Typed typed_boxes(WindowProbe& w) {
    Typed t;
    for (int i = 0; i < 8; ++i)
        t.texts[i] = w.text(box_names[i]);
    return t;
}

// A typed coefficient as the solve takes it: read, then the nearest 16-bit integer.
Wide typed_whole(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    try {
        return fractions::to_int16(
            fractions::read_number(std::string_view(bytes.constData(), bytes.size())));
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
void check_integer_form(WindowProbe& w, const Typed& typed) {
    const std::string line = w.caption("DetLabel").toStdString();
    const std::size_t equals = line.find("= ");
    if (line.rfind(" Determinant", 0) != 0 || equals == std::string::npos)
        return;
    const Wide a = whole_box(w, "textAN"), b = whole_box(w, "TextBN"), c = whole_box(w, "TextCN");
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

void check_roots(WindowProbe& w) {
    const Root x1 = rational_root(w, "LabelX1", " X1=");
    const Root x2 = rational_root(w, "LabelX2", " X2=");
    if (!x1.rational && !x2.rational)
        return;
    const Wide a = whole_box(w, "textAN");
    const Wide b = whole_box(w, "TextBN");
    const Wide c = whole_box(w, "TextCN");
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
void check_test(WindowProbe& w, const Typed& typed) {
    Wide n[4], d[4];
    for (int row = 0; row < 4; ++row) {
        n[row] = whole_box(w, box_names[2 * row]);
        d[row] = whole_box(w, box_names[2 * row + 1]);
        const Wide typed_n = typed_whole(typed.texts[2 * row]);
        const Wide typed_d = typed_whole(typed.texts[2 * row + 1]);
        check(d[row] > 0 && gcd(n[row], d[row]) == 1 && n[row] * typed_d == typed_n * d[row]);
    }
    const Wide an = n[0], ad = d[0], bn = n[1], bd = d[1], cn = n[2], cd = d[2];

    const std::string line = w.caption("DetLabel").toStdString();
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
    check((fn == 0) == (w.beeps > 0));
}

// The solve command, with every rule that holds after it.
void solve(WindowProbe& w) {
    const bool composing = w.compose_mode != 0;
    const Typed typed = typed_boxes(w);
    w.Analizza_Click();
    if (!composing)
        check_integer_form(w, typed);
    check_roots(w);
}

QApplication* application = nullptr;

} // namespace

// Fontconfig keeps a few allocations of its own font cache without a pointer to
// them until the process ends; they are not the window's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    (void)argc;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps argc and argv for the whole run; it sees none of libFuzzer's flags.
    static int qt_argc = 1;
    static char* qt_argv[] = {(*argv)[0], nullptr};
    application = new QApplication(qt_argc, qt_argv);
    // The first window loads the fonts; later ones find them ready.
    { WindowProbe warm_up; }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    // A fresh window for every input, so that every input reproduces alone.
    WindowProbe w;

    if (in.next() & 1)
        w.Frazioni_Click();
    for (const char* name : box_names)
        type_if_shown(w, name, make_text(in));

    bool solved = false;
    for (int step = 0; step < 24 && !in.empty(); ++step) {
        const int messages = static_cast<int>(w.messages.size());
        w.beeps = 0;
        switch (in.next() % 8) {
        case 0:
        case 1:
            solve(w);
            solved = true;
            break;
        case 2:
            w.Componi_Click();
            break;
        case 3:
            w.Frazioni_Click();
            break;
        case 4:
            if (w.Test->isEnabled()) {
                const Typed typed = typed_boxes(w);
                w.Test_Click();
                if (w.messages.size() == messages)
                    check_test(w, typed);
            }
            break;
        case 5:
            w.Lingua_Click();
            break;
        case 6:
            w.Credits_Click();
            break;
        case 7: {
            const char* name = box_names[in.next() % 8];
            type_if_shown(w, name, make_text(in));
            break;
        }
        }
    }
    if (!solved)
        solve(w);
    return 0;
}
