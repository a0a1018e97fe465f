// Every text that the window shows in Italian or in English, in one place. Each
// pair is chosen when its text is written (Tutor::say), so a text already on
// screen keeps its language until a command writes it again.
#pragma once

#include <string>

namespace tutor {

struct Bilingual {
    const char* italian;
    const char* english;

    // The text in that language: Italian for 0, English for any other value.
    constexpr const char* in(int language) const { return language == 0 ? italian : english; }
};

// A text with the numbers or words put in for its %1 and %2.
inline std::string fill(const char* pattern, const std::string& first,
                        const std::string& second = {}) {
    std::string out = pattern;
    for (std::size_t at = out.find('%'); at != std::string::npos; at = out.find('%', at)) {
        const std::string& value = out[at + 1] == '1' ? first : second;
        out.replace(at, 2, value);
        at += value.size();
    }
    return out;
}

namespace vocabulary {

// Menu captions that change with the language ("Test" and "Info" do not).
inline constexpr Bilingual menu_solve{"Risolvi", "Solve"};
inline constexpr Bilingual menu_compose{"Componi", "Compose"};
inline constexpr Bilingual menu_fractions{"Frazioni", "Fractions"};
// The language item names the language it switches to.
inline constexpr Bilingual menu_language{"English", "Italiano"};
// The board: the last equation worked step by step and drawn, in a window of its own.
inline constexpr Bilingual menu_board{"Lavagna", "Board"};
// Practice: equations posed to the student, whose steps are checked, in a window of its own.
inline constexpr Bilingual menu_practice{"Esercizi", "Practice"};

// Result lines and tooltips.
inline constexpr Bilingual determinant_prefix{" Determinante = ", " Determinant = "};
inline constexpr Bilingual complex_root{"Radice complessa", "Complex root"};
inline constexpr Bilingual focus_note{"Coordinate del fuoco (", "Focus coordinates ("};
inline constexpr Bilingual vertex_note{"Coordinate del vertice (", "Vertex coordinates ("};
inline constexpr Bilingual directrix_note{"Equazione della direttrice = ", "Directrix = "};

// Compose mode instructions, on the first three result lines.
inline constexpr Bilingual compose_line1{" Componi un'equazione date le",
                                         " Define an equation with these"};
inline constexpr Bilingual compose_line2{" due radici reali : a , b", " real roots : a , b"};
inline constexpr Bilingual compose_line3{" Per continuare clicca su : Risolvi.",
                                         " Click 'Solve' to continue."};

// Message boxes. The prompts' lines are joined by a lone carriage return.
inline constexpr Bilingual warning_title{"ATTENZIONE", "WARNING"};
inline constexpr Bilingual solve_zero_check{
    "Operazione interrotta.\rTutti i denominatori e il numeratore di A devono essere diversi "
    "da zero",
    "Stop.\rAll denominators and the numerator A mustn't be zero"};
inline constexpr Bilingual test_zero_check{
    "Operazione interrotta.\rTutti i denominatori e il numeratore di A devono essere diversi "
    "da zero.",
    "Stop.\rAll denominators and the numerator A must be not zero."};
inline constexpr Bilingual failure_title_prefix{"ATTENZIONE : ", "WARNING : "};
inline constexpr Bilingual failure_prompt{"Operazione annullata.", "Stop."};

// Credits box.
inline constexpr Bilingual credits_title{"INFORMAZIONI", "INFORMATION"};
inline constexpr Bilingual credits_author{"Creato da Quadratic Tutor project",
                                          "Made by Quadratic Tutor project"};
inline constexpr Bilingual credits_date_place{" Dicembre 2026, Roma",
                                              " December 2026, Rome, Italy"};

// The board's graph as sound: the sentence its description ends with, the speed chosen
// with the keys 1 to 5 ("Velocità 3: 4 secondi"), and the notice when nothing can play.
inline constexpr Bilingual graph_sound_hint{
    "H la fa ascoltare, i tasti da 1 a 5 ne scelgono la velocità",
    "H plays it as sound, the keys 1 to 5 set its speed"};
inline constexpr Bilingual sound_speed{"Velocità ", "Speed "};
inline constexpr Bilingual sound_seconds{" secondi", " seconds"};
inline constexpr Bilingual no_sound_output{"Nessuna uscita audio: il grafico non si può ascoltare",
                                           "No sound output: the graph cannot be played"};

} // namespace vocabulary

// Lines of the credits box that read the same in both languages.
namespace credits {
inline constexpr const char* web_address = " https://quadratic-tutor.example.org";
inline constexpr const char* email = " quadratic-tutor@example.org";
} // namespace credits

} // namespace tutor
