// The game's one window. It holds the whole game state and every game
// procedure; the procedures live in the folder of their subsystem:
//   game/    state, start-up, new game, purification, tick, calendar
//   ui/      layout, screens, pictures, menus
//   events/  morning notice, weekly meal, evaluation, dismissal
//   scenes/  introduction, monologues, flight
#pragma once

#include "game/dialogue.h"
#include "toolkit/controlarray.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"
#include "ui/kiroku.h"

#include <QtGlobal>

#include <array>

class Fom : public tk::Form {
    Q_OBJECT
public:
    static constexpr int Meals = 7;

    Fom();

    // ---- Game state ---------------------------------------------------------
    std::array<int, Meals> Blood{};            // 0..1000, cleanliness of the blood
    std::array<qint16, Meals> Cp{};            // 0..1000, confidence
    std::array<bool, Meals> Sonzai{};          // still in the mansion
    std::array<bool, Meals> Hitorigoto_Zumi{}; // monologue already spoken this game
    qint16 Tousou_Su = 0;                      // fled meals
    qint16 Ghb = 0;                            // reward count
    qint16 Gosyoumou = 0;                      // meal the master wished this week
    int Day = 1;                               // 1..7
    qint16 Week = 1;                           // 1..5
    QString AppPath;                           // program folder, with a trailing separator
    int MojiSize = 0;                          // base text size in points

    // ---- Controls, back to front as created ---------------------------------
    tk::Timer DayTim{3000};
    tk::Timer Tim{300};
    tk::Label* LblNamGhb = nullptr;
    tk::Label* LblNamWeek = nullptr;
    tk::Label* LblNamDay = nullptr;
    tk::Picture* Img = nullptr;
    tk::Label* Lbl = nullptr;
    tk::ControlArray<tk::Picture> ImgFce{"ImgFce"};
    tk::Shape* ShpGosyoumou = nullptr;
    tk::Shape* ShpWaku = nullptr;  // the keyboard's focus ring
    tk::Label* LblDay = nullptr;
    tk::Label* LblWeek = nullptr;
    tk::Label* LblGhb = nullptr;
    tk::Picture* ImgStt = nullptr;
    tk::Label* LblStt = nullptr;  // the start screen's prompt, over its picture
    tk::ControlArray<tk::Shape> ShpFce{"ShpFce"};
    tk::ControlArray<tk::Panel> Pic{"Pic"};
    tk::ControlArray<tk::Shape> CpShp{"CpShp"};
    tk::ControlArray<tk::Shape> BloodShp{"BloodShp"};

    QMenu* Mnu0 = nullptr;  // 設定
    QMenu* Mnu1 = nullptr;  // 難易度
    std::vector<QAction*> Mnu11;
    QAction* Mnu2 = nullptr;
    QAction* Mnu3 = nullptr;  // 一時停止, checkable
    QAction* Mnu4 = nullptr;  // 記録
    QMenu* Mnu5 = nullptr;    // 言語 (Language)

    // Over faces and bars while the raising screen is paused; takes the clicks.
    QWidget* PicTeishi = nullptr;

    // ---- game/ --------------------------------------------------------------
    // Process-wide set-up for the game's window, once the QApplication is
    // made: the program, the tests and the benchmark all run with it.
    static void prepareProcess();
    // The picture the window opens on.
    static QString firstPicture();
    void Form_Load();
    void Form_Activate() override;
    void Form_Unload() override;
    void ImgStt_Click();
    void NewGame();
    void ImgFce_Click(int Index);
    void Senrei(int Index, int Amount);
    void Tim_Timer();
    void Jikan_Keika();
    void DayTim_Timer();

    // ---- ui/ ----------------------------------------------------------------
    void Gamen_Ikusei();
    void Gamen_Ivent(const QString& name);
    void Img_Yomikomi(const QString& name);
    // A picture of GF by its name in the game ("Fce3d", "fce8").
    tk::PictureFile Gazou(const QString& name) const;
    void ImgFce_MouseDown(int Index);
    void ImgFce_MouseUp(int Index);
    void Mnu11_Click(int Index);
    void Mnu2_Click();
    // One box, translated in its scene's context, its lines joined with
    // "\r\n" and an empty title; returns the answer.
    int Hanasu(const char* context, Box box, int buttons = tk::vbOKOnly);
    void Hanasu(const Script& script);
    void Hanasu(const Scenario& scenario);  // boxes and speaker changes in order

    // ---- ui/: what the player has beyond the game itself --------------------
    // Pause, keys, focus, accessibility and the record; none of it changes
    // the game's state.
    bool Ikusei() const;  // the raising screen is up
    void Mnu3_Click(bool on);
    void Mnu4_Click();
    void Teishi_Hyouji();  // show or hide the pause overlay, then the ring
    void Waku_Hyouji();    // place, show or hide the focus ring
    int Waku() const { return focus_; }  // the face with the keyboard's focus, or -1
    // What a click there would do now: press the face, start a game.
    bool faceTakesClick(int Index) const;
    bool startTakesClick() const;
    // An ending's picture shows: the ceremony's verdict, or the dismissal.
    void Kiroku_Kinyuu(Kiroku::Ketsumatsu ending);
    // Every text of the window in the language spoken now, and the choice;
    // a change of language reaches Kotoba() through changeEvent().
    void Kotoba();
    void Mnu5_Click(const QString& language);

    // ---- events/ ------------------------------------------------------------
    void DengonIvent();
    void GosyoumouIvennt();
    void Hyouka_Ivent();
    void Kubi_Ivent();

    // ---- scenes/ ------------------------------------------------------------
    void Setumei_Ivent();
    void Hitorigoto_Ivent(int Index);
    void Tousou_Ivent(int Index);

protected:
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool next) override;

private:
    void createControls();
    void createMenus();
    void createPause();
    void createLanguageMenu();
    void Haichi();  // start-up layout on the 7 x 3 grid
    void keyUp(bool click);
    void moveFocus(bool next);

    // The key down, and what it presses: a face, or Meals for the start.
    struct {
        int key = 0;
        int target = -1;
    } keyDown_;
    int focus_ = -1;
    bool focusShown_ = false;  // once the keyboard has moved it
    Kiroku kiroku_;
};
