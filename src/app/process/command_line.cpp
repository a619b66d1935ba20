#include "app/process/command_line.h"

namespace tamsel {

Result<CommandLine> parseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool modeGiven = false;
  auto setMode = [&](CommandLine::Mode mode) {
    if (modeGiven && line.mode != mode) return false;
    line.mode = mode;
    modeGiven = true;
    return true;
  };
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    bool known = true;
    if (argument == "--help" || argument == "-h") {
      known = setMode(CommandLine::Mode::Help);
    } else if (argument == "--version") {
      known = setMode(CommandLine::Mode::Version);
    } else if (argument == "--headless") {
      known = setMode(CommandLine::Mode::Headless);
    } else if (argument == "--folder" || argument.starts_with("--folder=")) {
      std::string folder = argument == "--folder"
                               ? (i + 1 < arguments.size() ? arguments[++i] : std::string())
                               : argument.substr(9);
      if (folder.empty()) return Status::failure("--folder needs a folder");
      line.folder = std::move(folder);
    } else {
      return Status::failure("unknown option: " + argument);
    }
    if (!known) return Status::failure("choose one of --help, --version and --headless");
  }
  return line;
}

std::string usageText() {
  return "Usage: tamsel [--headless] [--folder DIR]\n"
         "       tamsel --help | --version\n"
         "\n"
         "Logs a wind generator's battery charging from its logger board.\n"
         "\n"
         "  --headless    log with no window, as LogOn in prog.cfg says; for a\n"
         "                service (SIGTERM stops it after the day's watt-hours line)\n"
         "  --folder DIR  keep every file (prog.cfg, settings.cfg, logs, html,\n"
         "                excel, errorlog.txt, comN links) in DIR\n"
         "  --help        show this text\n"
         "  --version     show the version\n"
         "\n"
         "Without --folder, the files live beside the program when its folder is\n"
         "writable, else in $XDG_DATA_HOME/tamsel (~/.local/share/tamsel).\n"
         "\n"
         "Optional files there, read at start:\n"
         "  web.cfg       the web dashboard: Enabled, Address, Port, Password; without\n"
         "                it the dashboard is on at http://127.0.0.1:8470/\n"
         "  mqtt.cfg      publishing readings and records to an MQTT broker\n"
         "  alarm.cfg     alarm limits, and a Command run for each alarm\n"
         "\n"
         "More in the manual page: man tamsel\n";
}

}  // namespace tamsel
