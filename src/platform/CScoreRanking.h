#pragma once

// One ranking list.
class CScoreRanking {
public:
  virtual ~CScoreRanking() = default;
};
