#pragma once

// One floor.
class CStageData {
public:
  virtual ~CStageData() = default;
};
