#pragma once
// Where the game keeps the player's files and reads Resource.dll from,
// chosen once at start-up. A copy that lives in a folder of its own keeps
// everything there; an installed copy, whose folder is not the player's to
// write, keeps the player's files in the player's data folder and never
// writes where it is installed.
#include <string>

// What the choice depends on, gathered by the caller.
struct GameFolderFacts {
  std::string GameDir;        // --game-dir; empty when not given
  std::string ProgramFolder;  // the running program's own folder
  std::string InstalledData;  // the install's data folder, relative to the program's folder
  std::string XdgDataHome;    // $XDG_DATA_HOME as set; empty when unset
  std::string Home;           // the player's home folder
};

enum class GameFolderKind {
  Named,      // --game-dir
  Portable,   // the program's own folder (a build, a portable copy)
  Installed,  // the player's data folder, Resource.dll from the install
};

struct GameFolders {
  GameFolderKind Kind = GameFolderKind::Portable;
  std::string Player;          // save, keyconfig, the rankings and the one-copy lock
  std::string ResourceModule;  // the Resource.dll to read
  std::string Why;             // why these folders, in a few words
  // Empty when the player's folder can be written; else what is wrong, as
  // the system words it. An installed copy's folder is made (mode 0700)
  // when missing, with any missing parent.
  std::string Problem;
};

GameFolders ChooseGameFolders(const GameFolderFacts& facts);
