// The record of endings in QSettings (~/.config/velmoria/velmoria.conf). A
// file that cannot be read or written, or that holds what this game never
// wrote, is reported once and otherwise ignored: the record starts afresh.
#include "ui/kiroku.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <memory>

namespace {
// Keys in the file, and the names the box shows, by ending.
constexpr const char* kKeys[Kiroku::Kazu] = {"bloom",    "liked", "cruelty", "esteemed",
                                             "disliked", "soft",  "nogood",  "dismissed"};
constexpr const char* kNames[Kiroku::Kazu] = {"開花",     "お気に入り", "冷酷",       "上々の評判",
                                              "悪い評判", "甘すぎる",   "まるで駄目", "解雇"};
const QString kGames = QStringLiteral("games");

QString key(int ending) { return QStringLiteral("endings/") + QLatin1String(kKeys[ending]); }

// Named here rather than after the program, which may run under any name.
// A new object each time: a settings object keeps its first error for good.
std::unique_ptr<QSettings> settings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("velmoria"), QStringLiteral("velmoria"));
}
}  // namespace

void Kiroku::complain(const QString& why) {
    if (complained_) return;
    complained_ = true;
    qWarning("velmoria: %s: %s", qUtf8Printable(why), qUtf8Printable(settings()->fileName()));
}

void Kiroku::load() {
    if (loaded_) return;
    loaded_ = true;
    const auto s = settings();
    if (s->status() == QSettings::AccessError) {
        complain(QStringLiteral("結末の記録を読めません。記録は新しく始めます"));
        damaged_ = true;
        return;
    }
    QStringList known{kGames};
    std::array<bool, Kazu> reached{};
    bool sound = s->status() == QSettings::NoError;
    for (int e = 0; e < Kazu; ++e) {
        known << key(e);
        const QString v = s->value(key(e), QStringLiteral("false")).toString();
        sound = sound && (v == QLatin1String("true") || v == QLatin1String("false"));
        reached[e] = v == QLatin1String("true");
    }
    bool number = true;
    const int games = s->value(kGames, 0).toInt(&number);
    sound = sound && number && games >= 0;
    for (const QString& k : s->allKeys()) sound = sound && known.contains(k);
    if (!sound) {
        complain(QStringLiteral("結末の記録が壊れています。記録は新しく始めます"));
        damaged_ = true;
        return;
    }
    reached_ = reached;
    games_ = games;
}

void Kiroku::save() {
    const auto s = settings();
    if (damaged_) s->clear();  // nothing of the old file is worth keeping
    for (int e = 0; e < Kazu; ++e) s->setValue(key(e), reached_[e]);
    s->setValue(kGames, games_);
    s->sync();
    if (s->status() == QSettings::AccessError) complain(QStringLiteral("結末の記録を書き込めません"));
    else damaged_ = false;
}

void Kiroku::kinyuu(Ketsumatsu ending) {
    if (ending < 0 || ending >= Kazu) return;
    load();
    reached_[ending] = true;
    if (games_ < 1000000000) ++games_;
    save();
}

bool Kiroku::tassei(Ketsumatsu ending) {
    load();
    return ending >= 0 && ending < Kazu && reached_[ending];
}

int Kiroku::games() {
    load();
    return games_;
}

QString Kiroku::text() {
    load();
    auto name = [this](int e) {
        return reached_[e] ? QString::fromUtf8(kNames[e]) : QStringLiteral("？？？");
    };
    const int reached = int(std::count(reached_.begin(), reached_.end(), true));
    QStringList lines{QStringLiteral("迎えた結末　%1／%2").arg(reached).arg(int(Kazu)), QString()};
    // Two columns: the names are all of full-width characters, so full-width
    // spaces line them up.
    constexpr int rows = Kazu / 2;
    for (int r = 0; r < rows; ++r)
        lines << name(r).leftJustified(6, QChar(0x3000)) + name(r + rows);
    lines << QString() << QStringLiteral("終えたゲーム　%1回").arg(games_);
    return lines.join(QStringLiteral("\r\n"));
}
