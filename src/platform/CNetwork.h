#pragma once

// The seam to a platform's social and store services. Here every hook only
// writes a debug line; nothing is sent anywhere.
class CNetwork {
public:
  virtual ~CNetwork() = default;
  virtual void RateThis();
  virtual void Tweet(const char* text);
  virtual void SendScoreInt(const char* board, int score);
  virtual void SendScoreFloat(const char* board, float score);
  virtual void ShowLeaderboard();
  virtual void RateMe();
  virtual void OpenUrl(const char* url);
  // Hooks without callers in this game.
  virtual bool QueryTrue();
  virtual void ForwardZeroA(int x);
  virtual void AcceptA(int zero, int x);
  virtual void ForwardZeroB(int x);
  virtual void AcceptB(int zero, int x);
  virtual void ForwardZeroC(int x);
  virtual void AcceptC(int zero, int x);
  virtual void Idle(int x);
};

CNetwork* GetNetwork();
