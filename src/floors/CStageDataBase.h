#pragma once
#include "floors/CStageData.h"

// Every floor that is made derives from this: the floor plus its mining
// points (mines, trees, bushes, chests), a few fixed and a few drawn by
// weight.
class CStageDataBase : public CStageData {
public:
  virtual int GetMineCount() { return 0; }
  virtual int GetTreeCount() { return 0; }
  virtual int GetBushCount() { return 0; }
  virtual int GetChestCount() { return 0; }
  virtual int GetExtraMiningPointCount() { return 0; }
  virtual int GetMineWeight() { return 2; }
  virtual int GetTreeWeight() { return 2; }
  virtual int GetBushWeight() { return 2; }
  virtual int GetChestWeight() { return 1; }
  // Puts the character on a random empty cell whose four straight
  // neighbours are floor too; false (and the character deleted) when no
  // such cell exists.
  virtual bool PlaceAtRandomCell(CCharacter* character);
  virtual void LayMiningPoints();
};

// The dungeons: pure grouping of their areas and floors.
class CStageDataLite1 : public CStageDataBase {};
class CStageDataLevel1 : public CStageDataBase {};
class CStageDataLevel2 : public CStageDataBase {};
class CStageDataLevel3 : public CStageDataBase {};
class CStageDataLevel4 : public CStageDataBase {};
class CStageDataLevel5 : public CStageDataBase {};
class CStageDataLevel6 : public CStageDataBase {};
