#pragma once
// Where the game keeps the player's files and reads Resource.dll from,
// chosen once at start-up. A copy that lives in a folder of its own keeps
// everything there; an installed copy, whose folder is not the player's to
// write, keeps the player's files in the player's data folder and never
// writes where it is installed. A named or own folder that cannot be
// written gives way to the player's data folder; when that cannot be used
// either, nothing is written at all.
#include <string>
#include <vector>

// What the choice depends on, gathered by the caller.
struct GameFolderFacts {
  std::string GameDir;        // --game-dir; empty when not given
  std::string ProgramFolder;  // the running program's own folder
  // The install's data folder, relative to the program's folder: one way
  // for each folder an install may put the program in.
  std::vector<std::string> InstalledData;
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
  // The Resource.dll to read: the one in the named or program's folder,
  // else the player's own in their folder, else the installed one.
  std::string ResourceModule;
  std::string Why;             // why these folders, in a few words
  // Empty when the first folder chosen can be written; else what is wrong,
  // as the system words it. The player's data folder is made (mode 0700)
  // when missing, with any missing parent, and refused when it is another
  // user's or others may write in it.
  std::string Problem;
  // Whether the player's files are written at all: false when neither the
  // first folder nor the player's data folder can take them.
  bool Kept = true;
};

GameFolders ChooseGameFolders(const GameFolderFacts& facts);
