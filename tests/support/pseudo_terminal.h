#pragma once
// A pseudo-terminal standing in for a serial device: the test holds the
// device's far end, links the device as comN in a program folder, and can
// pull the plug by closing its end.
#include <string>
#include <string_view>

namespace tamsel::test {

class PseudoTerminal {
 public:
  PseudoTerminal();  // opens a fresh one in raw mode; ok() tells
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  bool ok() const { return master_ >= 0; }
  const std::string& deviceName() const { return device_; }
  // Points `linkPath` at the device, replacing any link already there.
  bool linkAs(const std::string& linkPath) const;
  // Sends bytes as the device would; true when all went.
  bool send(std::string_view bytes) const;
  // Unplugs: closes the far end, so whoever has the device open is hung up.
  void unplug();

 private:
  int master_ = -1;
  std::string device_;
};

// Points `linkPath` at `target`, replacing any link already there.
bool pointLink(const std::string& linkPath, const std::string& target);

// Points `linkPath` where no device is. An unplugged adapter's device node
// goes away; a pseudo-terminal's name is soon handed to another one (a test
// running alongside), which a stale link would then reach.
bool linkToMissingDevice(const std::string& linkPath);

// A port number that no other test program running at the same time uses,
// so no two of them ever name the same port. `offset` (0 to 9) gives one
// process more than one.
int uniquePortNumber(int offset = 0);

}  // namespace tamsel::test
