// The record of endings: which of the eight endings the player has reached
// and how many games were finished, kept between runs in the user's settings.
#pragma once

#include <QCoreApplication>
#include <QSet>
#include <QString>

#include <array>
#include <memory>

class QSettings;

// The user's settings file: the record, and all else the game remembers. A
// new object each time reads the file as it is now.
std::unique_ptr<QSettings> settingsFile();

class Kiroku {
    Q_DECLARE_TR_FUNCTIONS(Kiroku)

public:
    // The seven verdicts of the ceremony, then the dismissal.
    enum Ketsumatsu { Kaika, Kiniitta, Zankoku, Hyouban, Akuhyou, Amai, Dame, Kubi, Kazu };

    // A game ended this way: its entry, and the count of games, written at
    // once beside whatever else the file holds.
    void kinyuu(Ketsumatsu ending);
    // The record as the box shows it, read afresh.
    QString text();

private:
    struct Yomi {
        std::array<bool, Kazu> reached{};
        int games = 0;
    };
    Yomi read(QSettings& s);
    void keepDamaged(QSettings& s);
    void complain(const QString& why, const QString& file);

    QSet<QString> told_;    // each trouble is reported once
    bool damageKept_ = false;  // a damaged file was copied aside
};
