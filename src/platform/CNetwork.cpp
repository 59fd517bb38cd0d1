#include "platform/CNetwork.h"

#include <cstdio>

#include "app/CGameMain.h"
#include "system/SysPlatform.h"

namespace {
void EnsureGameMain() { GetGameMain(); }
}  // namespace

CNetwork* GetNetwork() {
  static CNetwork network;
  return &network;
}

void CNetwork::RateThis() { SysDebugOutput("RateThis\n"); }

void CNetwork::Tweet(const char* text) {
  SysDebugOutput("Tweet:");
  SysDebugOutput(text ? text : "");
  SysDebugOutput("\n");
}

void CNetwork::SendScoreInt(const char* board, int score) {
  char line[256];
  std::snprintf(line, sizeof line, "SendScore:%s%d\n", board ? board : "", score);
  SysDebugOutput(line);
}

void CNetwork::SendScoreFloat(const char* board, float score) {
  char line[512];
  std::snprintf(line, sizeof line, "SendScore:%s%f\n", board ? board : "", static_cast<double>(score));
  SysDebugOutput(line);
}

void CNetwork::ShowLeaderboard() { SysDebugOutput("ShowLeaderboard\n"); }
void CNetwork::RateMe() { SysDebugOutput("RateMe\n"); }

void CNetwork::OpenUrl(const char* url) {
  SysDebugOutput("OpenURL:");
  SysDebugOutput(url ? url : "");
  SysDebugOutput("\n");
}

bool CNetwork::QueryTrue() { return true; }
void CNetwork::ForwardZeroA(int x) { AcceptA(0, x); }
void CNetwork::ForwardZeroB(int x) { AcceptB(0, x); }
void CNetwork::ForwardZeroC(int x) { AcceptC(0, x); }
void CNetwork::AcceptA(int, int) { EnsureGameMain(); }
void CNetwork::AcceptB(int, int) { EnsureGameMain(); }
void CNetwork::AcceptC(int, int) { EnsureGameMain(); }
void CNetwork::Idle(int) {}
