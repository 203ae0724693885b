// The program: command line, opening the display, desktop identity, then the game.
#include "game/fom.h"
#include "ui/language.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLocale>
#include <QPixmap>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const DesktopId = "org.velmoria.Velmoria";
bool g_platformAsked = false;  // -platform on the command line
QString g_language;            // --lang, when given

// The language of this run: --lang, else the one remembered, else the desktop's.
QString chosenLanguage() { return lang::choose(g_language, lang::remembered(), QLocale::system().uiLanguages()); }

void describeApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("velmoria"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORIA_VERSION));
}

// Options QGuiApplication and QApplication take out of argv themselves; the
// parser must know them so that they are not refused as unknown.
void addQtOptions(QCommandLineParser& parser) {
    const char* const withValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                     "qwindowgeometry", "geometry", "qwindowicon", "icon",
                                     "qwindowtitle", "title", "session", "style", "stylesheet",
                                     "display", "name", "visual", "qmljsdebugger"};
    const char* const flags[] = {"reverse", "testability", "widgetcount", "nograb", "dograb"};
    for (const char* name : withValue) {
        QCommandLineOption o(QString::fromLatin1(name));
        o.setValueName(QStringLiteral("value"));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }
    for (const char* name : flags) {
        QCommandLineOption o(QString::fromLatin1(name));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }
}

// --help and --version answer before any display is opened; a command line
// we do not understand ends the program with status 2. Returns the status to
// end with, or -1 to go on.
int parseCommandLine(int argc, char** argv) {
    int count = argc;
    QCoreApplication core(count, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "ヴェルモリア (Velmoria): raise the vampire Master's meals in his mansion.\n"
        "Qt's own options (-platform, -display, -style, ...) are accepted too."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Not addHelpOption(): its --help-all would need process(), which exits.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption language(QStringLiteral("lang"),
                                      QStringLiteral("Speaks <language> this time: ja (Japanese), en (English) or zh (Simplified Chinese)."),
                                      QStringLiteral("language"));
    parser.addOption(language);
    addQtOptions(parser);

    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        const QString why = parser.errorText().isEmpty()
            ? QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst())
            : parser.errorText();
        std::fprintf(stderr, "velmoria: %s\n\n%s", qPrintable(why), qPrintable(parser.helpText()));
        return 2;
    }
    g_language = parser.value(language);
    if (parser.isSet(language) && !lang::spoken(g_language)) {
        // "ja, en or zh"
        QStringList codes = lang::codes();
        const QString last = codes.takeLast();
        std::fprintf(stderr, "velmoria: unknown language '%s' for --lang: %s or %s\n\n%s", qPrintable(g_language),
                     qPrintable(codes.join(QStringLiteral(", "))), qPrintable(last), qPrintable(parser.helpText()));
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    g_platformAsked = parser.isSet(QStringLiteral("platform"));
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    return -1;
}

// While the display is being opened, Qt's messages are held back: if it
// cannot be opened Qt ends with a fatal message and an abort, which we turn
// into one clear line, Qt's own reasons about the platform after it, and
// status 1; if it opens, they are passed on.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage> g_held;
QtMessageHandler g_previousHandler = nullptr;

void holdWhileOpening(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        g_held.push_back({type, context.category ? context.category : "", text});
        return;
    }
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    std::string where;
    if (!display.isEmpty()) where += " DISPLAY=" + display.toStdString();
    if (!wayland.isEmpty()) where += " WAYLAND_DISPLAY=" + wayland.toStdString();
    const bool noDisplay = where.empty() && !g_platformAsked && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    // In the language the window would have spoken.
    QTranslator t;
    lang::load(t, chosenLanguage());
    auto said = [&t](const char* source) {
        const QString s = t.translate("main", source);
        return s.isEmpty() ? QString::fromUtf8(source) : s;
    };
    const QString which = where.empty() ? said(QT_TRANSLATE_NOOP("main", "DISPLAY も WAYLAND_DISPLAY もありません"))
                                        : QString::fromStdString(where.substr(1));
    std::fprintf(stderr, "velmoria: %s\n",
                 qPrintable(said(QT_TRANSLATE_NOOP("main", "ディスプレイを開けません（%1）。デスクトップのセッションで起動して下さい"))
                                .arg(which)));
    // Why, in Qt's words, unless there simply is no display to open.
    for (const HeldMessage& m : g_held) {
        if (noDisplay || m.category.rfind("qt.qpa.", 0) != 0) continue;
        const QMessageLogContext held(nullptr, 0, nullptr, m.category.c_str());
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(m.type, held, m.text)));
    }
    std::fflush(stderr);
    std::_Exit(1);
}

void passHeldMessages() {
    qInstallMessageHandler(g_previousHandler);
    for (const HeldMessage& m : g_held) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.c_str());
        if (g_previousHandler) g_previousHandler(m.type, context, m.text);
        else std::fprintf(stderr, "%s\n", qPrintable(m.text));
    }
    g_held.clear();
}

// The window icon is built into the program, so the window carries it even
// when no icon theme knows the game (run from a build or unpacked package).
// Read as the PNGs they are: QIcon::addFile would first ask every image
// plugin whether it knows the format, loading each with its libraries.
QIcon builtInIcon() {
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons"));
    for (const QString& size : sizes.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QImageReader png(sizes.filePath(size + QStringLiteral("/apps/") + QLatin1String(DesktopId) +
                                        QStringLiteral(".png")),
                         "png");
        png.setAutoDetectImageFormat(false);
        const QImage image = png.read();
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    describeApplication();
    if (const int status = parseCommandLine(argc, argv); status >= 0) return status;

    tk::readyAhead(Fom::firstPicture());
    g_previousHandler = qInstallMessageHandler(holdWhileOpening);
    QApplication app(argc, argv);
    passHeldMessages();

    lang::use(chosenLanguage());
    // Docks match the window to the desktop entry by this id (Wayland) and by
    // the window class, which comes from the application name (X11).
    QGuiApplication::setDesktopFileName(QLatin1String(DesktopId));
    QApplication::setWindowIcon(builtInIcon());
    Fom::prepareProcess();

    Fom fom;
    fom.Form_Load();
    fom.show();
    return app.exec();
}
