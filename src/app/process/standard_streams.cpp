#include "app/process/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

namespace tamsel {

void openMissingStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1) continue;
    // open() takes the lowest free number, which is this one.
    const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (opened > 2) ::close(opened);
  }
}

}  // namespace tamsel
