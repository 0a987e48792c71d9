#include "game/court.h"

#include <charconv>
#include <limits>
#include <system_error>

#include "game/frm_game.h"
#include "game/hits.h"

namespace quondra {

void PlaceBallAtServe(FrmGame& frm) {
    frm.shpBall.Top = kServeTop;
    frm.shpBall.Left = CSng(CenterX(frm.shpCir1) - static_cast<double>(frm.shpBall.Width) / 2);
}

void PlacePlayersAtStart(FrmGame& frm) {
    frm.shpCir1.Left = kYellowStartLeft;
    frm.shpCir2.Left = kRedStartLeft;
}

void StopMovement(FrmGame& frm) {
    frm.tmrLeft1.SetEnabled(false);
    frm.tmrRight1.SetEnabled(false);
    frm.tmrLeft2.SetEnabled(false);
    frm.tmrRight2.SetEnabled(false);
}

void ShowSettingsScreen(FrmGame& frm, bool visible) {
    frm.imgTitle.Visible = visible;
    frm.fraGravity.Visible = visible;
    frm.fraSpeed.Visible = visible;
    frm.fraPlayers.Visible = visible;
    frm.lblGravity.Visible = visible;
    frm.lblPlayers.Visible = visible;
    frm.lblSpeed.Visible = visible;
    frm.cmdPlay.Visible = visible;
}

void ShowPlayingFieldExtras(FrmGame& frm, bool visible) {
    frm.lblPauseInfo.Visible = visible;
    frm.lblNewInfo.Visible = visible;
    frm.lblTitle2.Visible = visible;
}

int Score(FrmGame& frm, const Label& score) {
    // Captions only ever hold what the game wrote, but a scripted caption may
    // hold anything: text that is not a number reads as 0, and a number
    // beyond an int as the nearest int.
    const std::string& caption = score.Caption;
    frm.LoopSteps += caption.size();
    int value = 0;
    const char* first = caption.data();
    const char* last = first + caption.size();
    while (first != last && *first == ' ') ++first;
    if (std::from_chars(first, last, value).ec == std::errc::result_out_of_range)
        value = *first == '-' ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    return value;
}

}  // namespace quondra
