#pragma once
// The one line a headless logger says once its start-up has settled, so
// whoever reads the service's journal knows what is running: where its files
// are, which port at what speed (and whether it opened), whether and how
// often it logs, and where its dashboard is.
#include <string>

namespace tamsel {

struct StartFacts {
  std::string folder;
  std::string port;    // prog.cfg's Port, "0" for none
  std::string device;  // what that port reaches: "com3 -> /dev/ttyUSB0", "/dev/ttyS2"
  std::string speed;   // prog.cfg's BR
  bool portOpen = false;
  std::string portProblem;   // why it did not open
  bool logOn = false;        // LogOn in prog.cfg
  bool logging = false;      // the logging tick runs
  std::string interval;      // seconds
  std::string dashboard;     // its address while serving
  std::string dashboardOff;  // why there is none
};

std::string startLine(const StartFacts& facts);

// The device port `port` reaches from `programFolder`, for the start line:
// a comN link with what it points to, else the device itself.
std::string portDevice(int port, const std::string& programFolder);

}  // namespace tamsel
