#pragma once

// Every character of the current floor.
class CCharacterList {
public:
  void DeleteAll() {}
};
