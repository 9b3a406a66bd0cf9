// One end-to-end session: a private Xvfb display, a scratch HOME (its Documents folder is the
// game's documents folder), and runs of the real game program on that display with software GL
// and no audio device, each with its log file, its window, real input and screenshots. The game
// logs its screen states, so a step waits for the screen to come to rest, never for a fixed time. Runs one
// after the other share the HOME, so a later run sees what an earlier one saved. Everything it
// started is stopped and the HOME removed when the session goes.
//
//   E2E_SESSION session("title_road", QOR_E2E_ARTEFACTS);
//   session.fStartDisplay();  session.fStartGame(QOR_E2E_GAME);
//   session.fGame().fWaitForLog("...", 30s);  session.fWaitStill();  session.fShot("title");
//   session.fInput().fClickAt(512, 591);  session.fInput().fType("Ann");  session.fInput().fKey("Return");
#pragma once

#include "tests/e2e/kit/game_process.h"
#include "tests/e2e/kit/x_input.h"
#include "tests/e2e/kit/x_window.h"
#include "tests/e2e/kit/xvfb_server.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace qor_e2e {

class E2E_SESSION {
 public:
  // name names the folder of this session's artefacts under artefactsRoot (screenshots, logs).
  E2E_SESSION(std::string name, std::string artefactsRoot);
  ~E2E_SESSION();
  E2E_SESSION(const E2E_SESSION&) = delete;
  E2E_SESSION& operator=(const E2E_SESSION&) = delete;

  // Starts Xvfb and makes the scratch HOME. False with fError set on failure.
  bool fStartDisplay();
  // Ends the display under a running game, as a session that ends or a server that dies would.
  // The session's own connections to it go first, so fWindow and fInput are gone from then on.
  void fStopDisplay();
  // Starts the game program from its own folder (the one holding Resources) and waits for its
  // window. extra entries are added to (or replace) its environment. False with fError set when
  // it does not start or shows no window within limit.
  bool fStartGame(const std::string& program, const std::map<std::string, std::string>& extra = {},
                  std::chrono::milliseconds limit = std::chrono::seconds(30));
  // The same without waiting for the window (fWindow is connected but has found nothing yet;
  // fWindow().fTryFind(fGame().fPid()) looks for it): for measuring how soon it comes.
  bool fLaunch(const std::string& program, const std::map<std::string, std::string>& extra = {});
  // Waits for the current run to end: its wait status, or nothing (the program is then killed).
  std::optional<int> fWaitExit(std::chrono::milliseconds limit);
  // Later runs start in folder (it must hold a Resources folder) instead of the program's own.
  void fRunFrom(const std::string& folder) { _folder = folder; }

  // Waits for the game to log, after mark (fGame().fLogSize() before the action that moves the
  // screen), a screen state that holds state ("screen=6 help=1") and is at rest: no panel
  // sliding, no screen fading, no box moving. False when none comes within limit.
  bool fWaitForRest(std::size_t mark, const std::string& state,
                    std::chrono::milliseconds limit = std::chrono::seconds(60));

  GAME_PROCESS& fGame() { return *_game; }
  X_WINDOW& fWindow() { return *_window; }
  X_INPUT& fInput() { return *_input; }

  // Saves the window's picture as <artefacts>/<name>/<step>.png: false when there is none.
  bool fShot(const std::string& step);
  // Waits until the picture stops changing: two grabs `gap` apart differ in at most `tolerance`
  // pixels (a text field's blinking caret is about a hundred). Returns the later picture, or an
  // empty one when the time is up or the window went.
  PICTURE fWaitStill(int tolerance = 0, std::chrono::milliseconds limit = std::chrono::seconds(20),
                     std::chrono::milliseconds gap = std::chrono::milliseconds(300));
  // Waits until a grab satisfies test: that picture, or an empty one when the time is up.
  PICTURE fWaitForPicture(const std::function<bool(const PICTURE&)>& test,
                          std::chrono::milliseconds limit = std::chrono::seconds(20));

  // The scratch HOME and its documents folder.
  const std::string& fHome() const { return _home; }
  std::string fDocuments() const { return _home + "/Documents"; }
  const std::string& fDisplayName() const { return _server.fDisplay(); }
  std::string fArtefacts() const { return _artefacts; }
  const std::string& fError() const { return _error; }

 private:
  void fEndRun();

  std::string _name;
  std::string _artefacts;
  std::string _home;
  std::string _error;
  std::string _folder;
  int _runs = 0;
  XVFB_SERVER _server;
  std::unique_ptr<GAME_PROCESS> _game;
  std::unique_ptr<X_WINDOW> _window;
  std::unique_ptr<X_INPUT> _input;
};

}  // namespace qor_e2e
