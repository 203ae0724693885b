// The record of endings in QSettings (~/.config/velmoria/velmoria.conf). An
// ending writes its own entry and the count of games, read afresh under a
// lock of ours, and leaves every other key as it stands. A value that cannot
// be read costs that entry alone; a file that cannot be parsed is first
// copied aside; one that cannot be read or written leaves the game playing.
// Each trouble is reported once.
#include "ui/kiroku.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <memory>

namespace {
// Keys in the file, and the names the box shows, by ending.
constexpr const char* kKeys[Kiroku::Kazu] = {"bloom",    "liked", "cruelty", "esteemed",
                                             "disliked", "soft",  "nogood",  "dismissed"};
constexpr const char* kNames[Kiroku::Kazu] = {
    QT_TRANSLATE_NOOP("Kiroku", "開花"),     QT_TRANSLATE_NOOP("Kiroku", "お気に入り"),
    QT_TRANSLATE_NOOP("Kiroku", "冷酷"),     QT_TRANSLATE_NOOP("Kiroku", "上々の評判"),
    QT_TRANSLATE_NOOP("Kiroku", "悪い評判"), QT_TRANSLATE_NOOP("Kiroku", "甘すぎる"),
    QT_TRANSLATE_NOOP("Kiroku", "まるで駄目"), QT_TRANSLATE_NOOP("Kiroku", "解雇")};
const QString kGames = QStringLiteral("games");
constexpr int kMostGames = 1000000000;

QString key(int ending) { return QStringLiteral("endings/") + QLatin1String(kKeys[ending]); }
}  // namespace

// Named here rather than after the program, which may run under any name.
std::unique_ptr<QSettings> settingsFile() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("velmoria"), QStringLiteral("velmoria"));
}

void Kiroku::complain(const QString& why, const QString& file) {
    if (told_.contains(why)) return;
    told_.insert(why);
    qWarning("velmoria: %s: %s", qUtf8Printable(why), qUtf8Printable(file));
}

// A file that cannot be parsed is copied, once, to a name of its own
// (velmoria.conf.damaged-<date>-<time>), before anything could overwrite it.
void Kiroku::keepDamaged(QSettings& s) {
    if (s.status() != QSettings::FormatError || damageKept_) return;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString copy = s.fileName() + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(copy) && n < 100; ++n)
        copy = s.fileName() + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    damageKept_ = QFile::copy(s.fileName(), copy);
    if (damageKept_) complain(tr("結末の記録が壊れています。読めた結末だけを残し、元のファイルは写しに残しました"), copy);
    else complain(tr("結末の記録が壊れていて、写しも作れません。記録は書き込みません"), s.fileName());
}

Kiroku::Yomi Kiroku::read(QSettings& s) {
    Yomi y;
    if (s.status() == QSettings::AccessError) {
        complain(tr("結末の記録を読めません"), s.fileName());
        return y;
    }
    // Sections are parsed when first asked for: every one now, so that damage
    // anywhere shows before anything is written.
    s.allKeys();
    keepDamaged(s);
    for (int e = 0; e < Kazu; ++e) {
        const QString v = s.value(key(e), QStringLiteral("false")).toString();
        y.reached[e] = v == QLatin1String("true");
        if (!y.reached[e] && v != QLatin1String("false"))
            complain(tr("結末の記録の %1 が読めません。その結末は未到達とします").arg(key(e)), s.fileName());
    }
    bool number = true;
    y.games = s.value(kGames, 0).toInt(&number);
    if (!number || y.games < 0) {
        complain(tr("結末の記録の games が読めません。0 回とします"), s.fileName());
        y.games = 0;
    }
    return y;
}

void Kiroku::kinyuu(Ketsumatsu ending) {
    if (ending < 0 || ending >= Kazu) return;
    const QString file = settingsFile()->fileName();
    // Two games may end at once: the count is read and written under a lock
    // of ours (QSettings takes file.lock for its own writing only).
    QDir().mkpath(QFileInfo(file).path());
    QLockFile lock(file + QStringLiteral(".record-lock"));
    if (!lock.tryLock(10000)) {
        complain(tr("結末の記録を書き込めません"), file);
        return;
    }
    const auto s = settingsFile();
    const Yomi y = read(*s);
    // Nothing is written over a damaged file that could not be copied aside.
    if (s->status() == QSettings::AccessError || (s->status() == QSettings::FormatError && !damageKept_)) return;
    s->setValue(key(ending), true);
    s->setValue(kGames, std::min(y.games + 1, kMostGames));
    s->sync();
    if (s->status() == QSettings::AccessError) complain(tr("結末の記録を書き込めません"), file);
    else damageKept_ = false;  // the file is sound again
}

QString Kiroku::text() {
    const Yomi y = read(*settingsFile());
    QStringList names;
    for (int e = 0; e < Kazu; ++e) names << (y.reached[e] ? tr(kNames[e]) : tr("？？？"));
    const int reached = int(std::count(y.reached.begin(), y.reached.end(), true));
    QStringList lines{tr("迎えた結末　%1／%2").arg(reached).arg(int(Kazu)), QString()};
    // Two columns where the names are all of full-width characters (kana,
    // Han, full-width forms), which full-width spaces line up; else one name
    // a line. The left column is six wide, or one more than its longest name.
    const bool wide = std::all_of(names.begin(), names.end(), [](const QString& n) {
        return std::all_of(n.begin(), n.end(), [](QChar c) { return c.unicode() >= 0x3000; });
    });
    constexpr int rows = Kazu / 2;
    qsizetype column = 6;
    for (int r = 0; r < rows; ++r) column = std::max(column, names[r].size() + 1);
    for (int r = 0; wide && r < rows; ++r) lines << names[r].leftJustified(column, QChar(0x3000)) + names[r + rows];
    if (!wide) lines << names;
    lines << QString() << tr("終えたゲーム　%1回").arg(y.games);
    return lines.join(QStringLiteral("\r\n"));
}
