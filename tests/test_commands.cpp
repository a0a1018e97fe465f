// The commands apart from the solver: the state right after start-up, the background
// colour, the fractions command, the language switch, the result reset and the credits box.
#include "tutor_probe.h"

#include <QSet>
#include <QtTest>

class CommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void start_up() {
        Probe w;
        QCOMPARE(menu(w.screen()),
                 QStringList({"Analizza=Risolvi", "Componi=Componi", "Frazioni=Frazioni",
                              "Test=Test", "Credits=Info", "Lingua=English", "Lavagna=Lavagna",
                              "Esercizi=Esercizi"}));
        QVERIFY(!w.language && !w.compose_mode && w.a_den == 1 && w.b_den == 1 && w.c_den == 1);
        QVERIFY(w.fraction_text.empty());
    }

    // The background at start is one of the five, on the window and on every label and box
    // (lines keep their own); different seeds reach each of them.
    void background_colours() {
        QSet<std::uint32_t> seen;
        for (int seed = 0; seed < 40; ++seed) {
            Probe w;
            if (seed) {
                w.seed_random(seed * 997.25f);
                w.Colors();
            }
            const std::uint32_t background = w.screen().background;
            seen << background;
            for (const tutor::ControlInfo& c : tutor::controls)
                QCOMPARE(w.screen()[c.id].background,
                         QByteArray(c.name).startsWith("Line") ? 0 : background);
            QCOMPARE(w.scheme_dark, background);
            for (int i = 0; i < 2500; ++i)
                QCOMPARE(int(w.next_random() + 1.0), 1); // 0 <= u < 1
        }
        QCOMPARE(seen, QSet<std::uint32_t>({0x800000, 0x800080, 0x008000, 0x000080, 0x808000}));
    }

    // Every row is framed as a fraction, also on a second run; compose mode shows only
    // TextAD and TextBD.
    void fractions_command() {
        for (auto before : {&Probe::Frazioni_Click, &Probe::Componi_Click}) {
            Probe w;
            (w.*before)();
            w.Frazioni_Click();
            for (const QString r : {"A", "B", "C", "X"}) {
                QCOMPARE(w.text(qPrintable("Label" + r)), r + " =(     /     )");
                QCOMPARE(w.hidden(qPrintable("Text" + r + 'D')), w.compose_mode && r > 'B');
            }
        }
    }

    // The switch changes the menu; a line written before it keeps its language.
    void language_switch() {
        Probe w;
        const QStringList italian = menu(w.screen());
        w.type_coefficients({"1", "1", "-3", "1", "2", "1"});
        w.Analizza_Click();
        w.Lingua_Click();
        QCOMPARE(
            menu(w.screen()),
            QStringList({"Analizza=Solve", "Componi=Compose", "Frazioni=Fractions", "Test=Test",
                         "Credits=Info", "Lingua=Italiano", "Lavagna=Board", "Esercizi=Practice"}));
        QCOMPARE(w.text("DetLabel"), QString(" Determinante =  1"));
        w.Analizza_Click();
        QCOMPARE(w.text("DetLabel"), QString(" Determinant =  1"));
        w.Lingua_Click();
        QCOMPARE(menu(w.screen()), italian);
    }

    // The six result lines lose caption and tooltip, ResLabel only its tooltip, the
    // other controls nothing.
    void clear_caption() {
        Probe w;
        for (tutor::Control& c : w.screen_.controls)
            c.text = c.tooltip = "7";
        w.clear_caption();
        const QStringList emptied{"DetLabel", "LabelX1", "LabelX2", "LabelF", "LabelV", "LabelD"};
        for (const tutor::ControlInfo& c : tutor::controls) {
            const QString n = c.name;
            const QString kept = emptied.contains(n) ? "::" : n == "ResLabel" ? ":7:" : ":7:7";
            QCOMPARE(n + ':' + w.text(c.name) + ':' + w.tip(c.name), n + kept);
        }
    }

    // Author, date and place, " " and the web address, two CRs apart, and on about one
    // opening in ten the e-mail line one CR below; no line feeds.
    void credits_box() {
        Probe w;
        w.seed_random(12345.5f);
        const QString web = QString("\r\r \r\r") + tutor::credits::web_address;
        int with_email = 0;
        for (int i = 0; i < 4000; ++i) {
            w.language = std::int16_t(i % 2);
            w.Credits_Click();
            const Message& m = w.messages.at(i);
            QCOMPARE(m.title + ':' + m.prompt.section(' ', 0, 1),
                     QString(i % 2 ? "INFORMATION:Made by" : "INFORMAZIONI:Creato da"));
            QVERIFY(m.icon == 1 && m.prompt.count("\r\r") == 3 && !m.prompt.contains('\n'));
            QVERIFY(m.prompt.endsWith(web) ||
                    m.prompt.endsWith(web + '\r' + tutor::credits::email));
            with_email += m.prompt.endsWith(tutor::credits::email);
        }
        QVERIFY2(with_email > 300 && with_email < 500, qPrintable(QString::number(with_email)));
    }
};

QTEST_APPLESS_MAIN(CommandsTest)
#include "test_commands.moc"
