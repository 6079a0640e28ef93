// gradoir-probe COMMAND [options]: see the README for the commands.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <string>

#include "probe_args.h"
#include "probe_commands.h"

namespace {

using Command = int (*)(const probe::Args&);

// Commands are registered here as the parts they drive are built.
const std::map<std::string, Command>& commands() {
  static const std::map<std::string, Command> commands = {
      {"angle", probe::runAngle},
      {"canvas", probe::runCanvas},
      {"protractor", probe::runProtractor},
      {"settings", probe::runSettings},
  };
  return commands;
}

int usage(const std::string& message) {
  std::fprintf(stderr, "gradoir-probe: %s\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // The probe needs no display.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);

  if (argc < 2) return usage("usage: gradoir-probe COMMAND [options]");
  auto it = commands().find(argv[1]);
  if (it == commands().end()) return usage(std::string("unknown command '") + argv[1] + "'");
  probe::Args args(argv + 2, argv + argc);
  try {
    return it->second(args);
  } catch (const probe::ProbeUsageError& e) {
    return usage(e.what());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gradoir-probe: %s\n", e.what());
    return 1;
  }
}
