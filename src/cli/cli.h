// velmora-cli: the engine without a window. Each command lives in its own cmd_*.cpp file and
// registers itself with a static CommandRegistrar.
#pragma once

#include "core/model/draws_archive.h"
#include "core/util/progress.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora {
class TRatingsStore;
class TStatList;
}

namespace velmora::cli {

// The words after the command name, with option helpers. Unknown options are errors.
class Args {
public:
    explicit Args(std::vector<std::string> words) : words_(std::move(words)) {}
    // "--name" present (consumed).
    bool Flag(const std::string& name);
    // "--name VALUE" (consumed); std::nullopt when absent.
    std::optional<std::string> Value(const std::string& name);
    // Every "--name VALUE" (consumed), in order.
    std::vector<std::string> Values(const std::string& name);
    std::optional<int> Int(const std::string& name);
    int Int(const std::string& name, int def) { return Int(name).value_or(def); }
    // The next positional word (consumed); raises when absent.
    std::string Positional(const std::string& what);
    // Raises when words are left over.
    void Done() const;

private:
    std::vector<std::string> words_;
};

struct Command {
    std::string Name;
    std::string Usage;  // e.g. "draws [--offset K] [--sorted] [--limit N]"
    std::string Help;   // one line
    std::function<int(Args&)> Run;
};

std::vector<Command>& Commands();

struct CommandRegistrar {
    explicit CommandRegistrar(Command c) { Commands().push_back(std::move(c)); }
};

// Prints one UTF-8 line to stdout.
void Out(const std::string& line);
// A message of the engine for a terminal: its "\r" line breaks (meant for message boxes) become
// "\n", so that no line overprints another.
std::string ForTerminal(std::string text);
// Prints a message of the engine (an error or warning) to stderr, as ForTerminal gives it.
void PrintMessage(const std::string& text);
// Takes the data-folder lock (Velmora_5x50.lck, the one the desktop program holds) for the rest
// of the run; every command that writes a data file calls it before reading the data it changes.
// Waits a few seconds while another program holds it, then raises a clear error.
void LockDataFolder();
// Loads the archive of the data folder; a read error is raised.
TDrawsArchive LoadArchive();
// Puts the program settings of the data folder (Velmora_5x50.ini) into a statistic list before it
// is built; a file that cannot be read is reported on stderr and the defaults stay.
void ApplyProgramSettings(TStatList& list);
// The favourites file of the data folder (Velmora_5x50.flt).
std::string FavouritesFile();
// ApplyProgramSettings, then the list built in the interface language with the favourites file
// (marks, display switches, the methods' own names); a file that cannot be read is raised.
void LoadStatListWithFavourites(TStatList& list);
// Applies --offset K and --sorted to a loaded archive.
void ApplyWindowOptions(TDrawsArchive& archive, Args& args);
// The progress sink of long operations: the status text on one line of stderr when stderr is
// a terminal, nothing otherwise (so scripts and tests see only results and errors).
TProgressSink& CliProgress();
// Loads the ratings of the data folder before stakes are checked into them; a file that cannot be
// read is reported on stderr and the ratings start empty.
void LoadRatings(TRatingsStore& ratings);

} // namespace velmora::cli
