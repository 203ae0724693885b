// The record of endings: which of the eight endings the player has reached
// and how many games were finished, kept between runs in the user's settings.
#pragma once

#include <QString>

#include <array>

class Kiroku {
public:
    // The seven verdicts of the ceremony, then the dismissal.
    enum Ketsumatsu { Kaika, Kiniitta, Zankoku, Hyouban, Akuhyou, Amai, Dame, Kubi, Kazu };

    // A game ended this way: remembered at once.
    void kinyuu(Ketsumatsu ending);
    bool tassei(Ketsumatsu ending);  // reached in this or an earlier run
    int games();                     // finished games
    // The record as the box shows it.
    QString text();

private:
    void load();
    void save();
    void complain(const QString& why);

    bool loaded_ = false;
    bool complained_ = false;
    bool damaged_ = false;  // what the file held is not to be kept
    std::array<bool, Kazu> reached_{};
    int games_ = 0;
};
