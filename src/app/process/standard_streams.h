#pragma once

namespace tamsel {

// Some service managers and nohup set-ups start a program with standard
// input, output or error closed. The next descriptor opened would then take
// that number, and a message meant for standard error would land in whatever
// file or pipe it was. Called first thing in main(): each of the three that is
// closed is opened on /dev/null, so those numbers are never given out again.
void openMissingStandardStreams();

}  // namespace tamsel
