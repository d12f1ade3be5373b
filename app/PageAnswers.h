#pragma once

class GameRun;
class Session;

// What the page around the game in a browser asks the game, so that it keeps no facts of its own:
// the game's tables (the controls with the player's keys, the pad's buttons, the options with
// their ranges, the words a switch takes) and the run's state (a replay's position), and what it
// changes (an option, a replay's frame). The answers are C functions the page calls; this names
// the run and the session they speak of.
namespace PageAnswers {

void serve(GameRun& run, Session& session);

}  // namespace PageAnswers
