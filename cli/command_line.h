#pragma once
// The command line of `tessera-design`: one subcommand and its arguments.
// Each subcommand is a function over parsed arguments that writes to the
// given streams and returns the program's exit status.

#include "cli_messages.h"

#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tessera::cli {

enum ExitStatus : int {
    kSuccess = 0,
    kFileError = 1,  // a file that cannot be read, is refused, or cannot be written
    kUsageError = 2, // wrong arguments; a short usage text goes to stderr
};

// A subcommand's arguments: positional words and "--name value" (or
// "--name=value") options, and "--name" switches. "-o FILE" is "--output FILE".
class Arguments {
public:
    struct Grammar {
        std::set<std::string> valued;   // option names that take a value, without "--"
        std::set<std::string> switches; // option names without a value
    };

    // The words after the subcommand's name; on a usage error `error` is set.
    static Arguments parse(const std::vector<std::string>& words, const Grammar& grammar, Message& error);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& name) const { return switches_.count(name) > 0 || values_.count(name) > 0; }
    std::optional<std::string> value(const std::string& name) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::set<std::string> switches_;
};

// A number as the user types it ("." or "," as decimal separator); nullopt
// for anything else, including a value too large for the conversion.
std::optional<double> parseNumber(std::string_view text);
// A whole number written in decimal digits (blanks around it ignored);
// nullopt for anything else.
std::optional<long long> parseWholeNumber(std::string_view text);

struct Command {
    std::string_view name;
    std::string_view summary; // one line for `tessera-design --help`
    std::string_view usage;   // the full usage text for `tessera-design NAME --help`
    // `language`: the one the command's messages are told in.
    int (*run)(const std::vector<std::string>& words, Language language, std::ostream& out, std::ostream& err);
};

// Every subcommand, in the order `--help` lists them.
const std::vector<Command>& commands();

// The whole program: argv[1] names the subcommand. "--language de|en"
// (or "--language=de"), anywhere after argv[0], chooses the language of its
// messages; without it `language` holds, by default the environment's
// (languageFromEnvironment()).
int run(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);
int run(const std::vector<std::string>& argv, Language language, std::ostream& out, std::ostream& err);
// run(), with an exception that escapes it reported on `err` as
// "tessera-design: WHAT" and kFileError: the program as its main() and the
// web module run it.
int runProgram(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);
int runProgram(const std::vector<std::string>& argv, Language language, std::ostream& out, std::ostream& err);

// The complaint about an output that is the same file as one of the inputs
// (by file identity: through links, hard links and other spellings of its
// name); nullopt when it is none of them, or does not exist yet.
std::optional<Message> outputOverInput(const std::string& output,
                                       const std::vector<std::optional<std::string>>& inputs);

// Writes "tessera-design NAME: MESSAGE" and the command's usage to `err`;
// returns kUsageError.
int usageError(const Command& command, const Message& message, Language language, std::ostream& err);
// Rows of cells as a table, each column padded to its widest cell.
void printTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows);

// The command of that name (it must exist).
const Command& command(std::string_view name);

} // namespace tessera::cli
