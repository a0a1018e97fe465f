// The one window of Quadratic Tutor: its controls, its working state and every
// command. The methods are defined in the folder of their subject: the window
// itself, start-up, colours, language and credits in app/, everything that reads
// the coefficients or computes results in solver/.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QString>

#include "vocabulary.h"

#include <cstdint>
#include <exception>
#include <random>

class QAction;
class QColor;
class QFrame;
class QLabel;
class QLineEdit;

class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    explicit Form1(QWidget* parent = nullptr);

    // --- Commands: the click handlers of the six menu items. ---
    void Analizza_Click();
    void Componi_Click();
    void Credits_Click();
    void Frazioni_Click();
    void Lingua_Click();
    void Test_Click();

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
    QString fraction_text;

    // --- Controls, named as the objectName of each. ---
    QLineEdit *TextXD, *TextXN, *TextCD, *TextCN, *TextBD, *TextBN, *TextAD, *textAN;
    QFrame* Line1;
    QLabel *LabelBeta2, *Labelalfa2, *LabelBeta, *LabelAlfa, *CompLabel, *ResLabel;
    QFrame* Line3;
    QLabel *LabelX, *Label2, *LabelD, *LabelV, *LabelF, *LabelX2, *LabelX1, *DetLabel;
    QFrame* Line2;
    QLabel *Label5, *Label4, *Label3, *LabelC, *LabelB, *LabelA, *Label1;

    // --- Menu items. ---
    QAction *Analizza, *Componi, *Frazioni, *Test, *Credits, *Lingua;

  protected:
    // Every message box and beep of the program goes through these two, so that
    // tests can record them instead.
    virtual void show_message(QMessageBox::Icon icon, const QString& title, const QString& prompt);
    virtual void beep();

  private:
    void build_controls();
    void build_menu();
    void describe_controls();
    void Form_Load();

    // The stop box of a failed command: the title names the failure.
    void show_failure(const std::exception& failure);
    // The warning box of refused input.
    void show_warning(const Bilingual& prompt);
    // The text of the pair in the current language: Italian for language 0.
    QString say(const Bilingual& text) const;

    // Sets a label's caption and refits it when it sizes itself to its caption.
    static void set_caption(QLabel* label, const QString& caption);
    static void set_text_colour(QLabel* label, const QColor& colour);

    // The signed number text of a value (" 5", "-5", " .5").
    static QString number_text(double value);

    // Box reading and writing: the numeric-prefix reading and the plain number text.
    static double read_box(const QLineEdit* box);
    static void write_box(QLineEdit* box, double value);

    // Steps of the solve command.
    void read_rows_a_b();
    void read_row_c();
    bool zero_check_passes();
    void reduce_coefficients();
    void solve_integer_form();
    void set_compose_layout(bool compose);
    void compose_branch();
    void write_roots(double a, double b, double c);
    void set_heading_tooltips();

    std::mt19937 generator_;
};
